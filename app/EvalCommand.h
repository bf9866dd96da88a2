// The --eval modes: evaluate expressions from the arguments or from standard input and
// print one display text per expression.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Returns the exit status: 0, or 1 when any expression gave "Error.".
int evaluateArguments(const std::vector<std::string>& expressions, std::FILE* out);

// One expression per line of the input; with a prompt before each line when interactive.
int evaluateLines(int inputFd, std::FILE* out, bool interactive);
