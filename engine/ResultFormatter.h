// The calculation engine's entry: expression text in, display text out.
#pragma once

#include <string>

// Evaluates the expression; on success records the value as the last answer and returns it
// formatted like "%.15g", with digit-group marks when the "CommaSep" preference is on.
// Any failure returns "Error." and leaves the last answer alone.
std::string evaluateAndFormat(const std::string& expression);

// Puts an apostrophe between groups of three of the leading integer digits, counted from
// the right: 1234567.891 becomes 1'234'567.891. A leading "-" ends the run at once.
std::string insertDigitGroups(const std::string& text);

// The "%.15g" text of a value, as the C library prints it.
std::string formatValue(double value);
