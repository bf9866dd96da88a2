// Shared fixtures of the engine tests: a preference source with a settable "CommaSep".
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/Evaluator.h"
#include "engine/PreferenceSource.h"
#include "engine/RandomEngine.h"
#include "engine/ResultFormatter.h"

class FakePreferences : public PreferenceSource {
 public:
  int commaSep = 1;
  int reads = 0;
  int getIntegerForKey(const char* key, int defaultValue) override {
    ++reads;
    return std::string(key) == "CommaSep" ? commaSep : defaultValue;
  }
};

// Resets the last answer and the generator, and installs fake preferences for each test.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lastAnswer = 0.0;
    seedRandomEngine(12345);
    setPreferenceSource(&preferences);
  }
  void TearDown() override { setPreferenceSource(nullptr); }

  std::string plain(const std::string& expression) {
    preferences.commaSep = 0;
    return evaluateAndFormat(expression);
  }

  FakePreferences preferences;
};

// Evaluates to a double, or returns false on failure.
inline bool evaluateToValue(const std::string& expression, double& value) {
  CTokenizer t(expression);
  t.nextToken();
  return parseExpression(t, value);
}
