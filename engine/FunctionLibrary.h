// The named functions of expressions, looked up by exact name and call form
// (no arguments, one, two, or a list of three or more). A lookup returns false when the
// name is not in that form's table or an argument fails the function's domain check.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

bool callWithoutArguments(const std::string& name, double& result);
bool callWithOneArgument(const std::string& name, double x, double& result);
bool callWithTwoArguments(const std::string& name, double a, double b, double& result);
bool callWithList(const std::string& name, const std::vector<double>& values, double& result);

// n! in doubles; 1 for n <= 1, +infinity from 171 on.
double factorial(std::int32_t n);

// Greatest common divisor of two non-negative integers; 0 when either is 0.
std::int32_t gcdBySubtraction(std::int32_t a, std::int32_t b);

// Truncation toward zero into a signed 32-bit integer. Values whose truncation lies outside
// that range, and NaN, give -2147483648, the value the processor's own conversion produces.
std::int32_t truncateToInt32(double x);

// Reduces an unsigned product modulo 2^32 into the signed 32-bit range.
std::int32_t wrapToInt32(std::uint32_t u);
