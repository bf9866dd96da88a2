#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

using Mode = CommandLine::Mode;

TEST(CommandLineParsing, ModesAndOptions) {
  struct Case {
    std::vector<std::string> args;
    Mode mode;
    std::vector<std::string> expressions;
  };
  const std::vector<Case> cases = {
      {{}, Mode::Window, {}},
      {{"--headless"}, Mode::Window, {}},
      {{"--eval", "1+2", "Ans*2"}, Mode::Eval, {"1+2", "Ans*2"}},
      {{"--eval", "-"}, Mode::EvalStdin, {}},
      {{"--eval", "-", "-"}, Mode::Eval, {"-", "-"}},
      {{"--eval", "--2", "--store"}, Mode::Eval, {"--2", "--store"}},
      {{"--store", "/tmp/s.db", "--seed", "7", "--eval", "rand()"}, Mode::Eval, {"rand()"}},
      {{"--script", "x.txt", "--headless"}, Mode::Script, {}},
      {{"--help"}, Mode::Help, {}},
      {{"--version"}, Mode::Version, {}},
  };
  for (const auto& c : cases) {
    const ParseResult r = parseCommandLine(c.args);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.commandLine.mode, c.mode);
    EXPECT_EQ(r.commandLine.expressions, c.expressions);
  }
}

TEST(CommandLineParsing, OptionValues) {
  const ParseResult r = parseCommandLine({"--headless", "--store", "a.db", "--seed", "4294967295", "--script", "s"});
  ASSERT_TRUE(r.ok);
  EXPECT_TRUE(r.commandLine.headless);
  EXPECT_EQ(*r.commandLine.storePath, "a.db");
  EXPECT_EQ(*r.commandLine.seed, 4294967295u);
  EXPECT_EQ(r.commandLine.scriptPath, "s");
}

TEST(CommandLineParsing, UsageErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {"--eval"},
      {"--seed"},
      {"--seed", "-1"},
      {"--seed", "4294967296"},
      {"--seed", "12x"},
      {"--store"},
      {"--store", ""},
      {"--script"},
      {"--bogus"},
      {"--help", "--version"},
      {"--script", "a", "--eval", "1"},
  };
  for (const auto& args : bad) {
    const ParseResult r = parseCommandLine(args);
    EXPECT_FALSE(r.ok) << args[0];
    EXPECT_FALSE(r.error.empty());
  }
}

}  // namespace
