// The named functions of expressions: one table of name, arity and function, looked up by the
// exact name and the number of arguments of the call. A call fails when no entry has that name
// for that many arguments, or when an argument fails the function's domain check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Applies the function `name` to the arguments in order; false on failure (result unset).
bool callFunction(const std::string& name, const double* arguments, std::size_t count, double& result);

// n! in doubles; 1 for n <= 1, +infinity from 171 on.
double factorial(std::int32_t n);

// Greatest common divisor of two non-negative integers; 0 when either is 0.
std::int32_t gcdBySubtraction(std::int32_t a, std::int32_t b);

// Truncation toward zero into a signed 32-bit integer. Values whose truncation lies outside
// that range, and NaN, give -2147483648, the value the processor's own conversion produces.
std::int32_t truncateToInt32(double x);

// Reduces an unsigned product modulo 2^32 into the signed 32-bit range.
std::int32_t wrapToInt32(std::uint32_t u);
