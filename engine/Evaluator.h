// Recursive-descent evaluation of expression text, computing while it reads.
// Each level expects the tokenizer on the first token of its construct, and on success
// writes the value and leaves the tokenizer on the first token after it.
#pragma once

#include "engine/Tokenizer.h"

// The value of "Ans": 0 at start, written only after a successful evaluation.
extern double lastAnswer;

// Deepest nesting of parentheses and argument lists that is evaluated; deeper input fails
// rather than exhausting the call stack.
constexpr int kMaxNestingDepth = 1000;

bool parseExpression(CTokenizer& tokenizer, double& value);  // "+" and "-"
bool parseTerm(CTokenizer& tokenizer, double& value);        // "*" and "/"
bool parseFactor(CTokenizer& tokenizer, double& value);      // postfix "deg" and "%"
bool parsePrimary(CTokenizer& tokenizer, double& value);     // sign, number, name, call, "(...)"
