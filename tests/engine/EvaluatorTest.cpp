#include <cmath>
#include <string>
#include <vector>

#include "EngineTestSupport.h"

namespace {

struct Case {
  const char* expression;
  const char* display;  // "Error." for a failure
};

class Evaluator : public EngineTest {};

TEST_F(Evaluator, GrammarPrecedenceSignsAndPostfixWords) {
  const std::vector<Case> cases = {
      {"1+2*3", "7"},       {"8/2/2", "2"},       {"2-3-4", "-5"},
      {"-2*3", "-6"},       {"2*-3", "-6"},       {"2--3", "5"},
      {"--2", "Error."},    {"+2", "Error."},     {"-Pi", "-3.14159265358979"},
      {"-(2)", "-2"},       {"-sin(1)", "-0.841470984807897"},
      {"-pow(2,3)", "-8"},  {"-avg(1,2,3)", "-2"},
      {"50%", "0.5"},       {"200*10%", "20"},    {"200+10%", "200.1"},
      {"-3%", "-0.03"},     {"180deg", "3.14159265358979"},
      {"-30deg", "-0.523598775598299"},
      {"(1+2", "Error."},   {"", "Error."},
      {"2+", "Error."},     {"-", "Error."},      {"1'234'567+1", "1234568"},
      {"1'2", "12"},        {"1.5e3", "1500"},    {"2E-3", "0.002"},
      {"2e", "2"},          {".5", "0.5"},        {".", "0"},
      {"pi", "Error."},     {"Pi", "3.14159265358979"},
      {"sin 1", "Error."},  {"sin()", "Error."},  {"foo(1)", "Error."},
      {"sin(1,2)", "Error."}, {"pow(1,2,3)", "Error."},
      {"avg(1,2,3,4)", "2.5"}, {"sin(1", "Error."}, {"avg(1,2,3", "Error."},
      {"avg(1,2;3)", "Error."}, {"foo()", "Error."}, {"Pi(1)", "Error."},
      {"1e999", "inf"},     {"-1e999", "-inf"},   {"1e-999", "0"},
      {"1/0", "inf"},       {"0/0", "-nan"},      {"-0", "-0"},  {"0*-1", "-0"},
      {"2*(3+4)*(5+6)", "154"}, {"((((1+2)*3)-4)/5)", "1"},
      {"\xFF", "Error."},
  };
  for (const auto& c : cases) EXPECT_EQ(plain(c.expression), c.display) << c.expression;
}

// Anything after a complete expression fails the whole evaluation, so that a number is never
// shown for text that was only partly read.
TEST_F(Evaluator, TextAfterACompleteExpressionFails) {
  const std::vector<Case> cases = {
      {"2 + 3", "Error."}, {"2 ", "Error."},     {" 2", "Error."},    {"5,3", "Error."},
      {"1.2.3", "Error."}, {"2Pi", "Error."},    {"1+2)", "Error."},  {"50%%", "Error."},
      {"30degdeg", "Error."}, {"sin(1)x", "Error."}, {"1\xFF", "Error."}, {"2(3)", "Error."},
      {"2e", "2"},         {"2e+", "2"},        {"50%", "0.5"},      {"(1+2)", "3"},
  };
  for (const auto& c : cases) EXPECT_EQ(plain(c.expression), c.display) << c.expression;
  // The answer stays what the last complete evaluation gave.
  EXPECT_EQ(plain("7"), "7");
  EXPECT_EQ(plain("8 9"), "Error.");
  EXPECT_EQ(plain("Ans"), "7");
}

TEST_F(Evaluator, AnswerIsReadAndOnlyChangedBySuccess) {
  EXPECT_EQ(plain("Ans"), "0");
  EXPECT_EQ(plain("2+3"), "5");
  EXPECT_EQ(plain("Ans*2"), "10");
  EXPECT_EQ(plain("2+"), "Error.");
  EXPECT_EQ(plain("-Ans"), "-10");
  EXPECT_EQ(plain("1/0"), "inf");
  EXPECT_TRUE(std::isinf(lastAnswer));
  EXPECT_EQ(plain("0.1+0.2"), "0.3");
  EXPECT_EQ(lastAnswer, 0.1 + 0.2);
}

TEST_F(Evaluator, ArgumentsAreEvaluatedBeforeAnUnknownNameFails) {
  seedRandomEngine(7);
  const auto first = randomEngine();
  seedRandomEngine(7);
  EXPECT_EQ(plain("foo(rand())"), "Error.");
  EXPECT_NE(randomEngine(), first);  // rand drew once before foo failed
}

TEST_F(Evaluator, DeepNestingFailsInsteadOfOverflowingTheStack) {
  const int inside = kMaxNestingDepth;
  EXPECT_EQ(plain(std::string(inside, '(') + "1" + std::string(inside, ')')), "1");
  EXPECT_EQ(plain(std::string(inside + 1, '(') + "1" + std::string(inside + 1, ')')), "Error.");
  EXPECT_EQ(plain(std::string(1000000, '(')), "Error.");
  std::string calls;
  for (int i = 0; i < 100000; ++i) calls += "-sin(";
  EXPECT_EQ(plain(calls + "1"), "Error.");
  // Depth is counted per level, not per construct: long flat input is unaffected.
  std::string flat;
  for (int i = 0; i < 5000; ++i) flat += "(1)+";
  EXPECT_EQ(plain(flat + "0"), "5000");
}

TEST_F(Evaluator, LongFlatSumIsEvaluated) {
  std::string sum = "1";
  for (int i = 0; i < 100000; ++i) sum += "+1";
  EXPECT_EQ(plain(sum), "100001");
}

}  // namespace
