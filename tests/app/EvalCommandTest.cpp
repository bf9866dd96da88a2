#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <thread>

#include "app/EvalCommand.h"
#include "engine/Evaluator.h"
#include "engine/PreferenceSource.h"

namespace {

// Feeds input through a pipe and collects what evaluateLines prints.
struct EvalRun {
  std::string output;
  int status = -1;
};

EvalRun runLines(const std::string& input) {
  int fds[2];
  EXPECT_EQ(pipe(fds), 0);
  std::thread writer([&] {
    std::size_t done = 0;
    while (done < input.size()) {
      const ssize_t n = write(fds[1], input.data() + done, input.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    close(fds[1]);
  });
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  EvalRun run;
  run.status = evaluateLines(fds[0], out, false);
  std::fclose(out);
  writer.join();
  close(fds[0]);
  run.output.assign(buffer, size);
  free(buffer);
  return run;
}

class CountingPreferences : public PreferenceSource {
 public:
  int reads = 0;
  int getIntegerForKey(const char*, int) override {
    ++reads;
    return 0;
  }
};

TEST(EvalLines, OneOutputLinePerInputLineWhateverTheBytes) {
  lastAnswer = 0;
  struct Case {
    std::string input;
    std::string output;
    int status;
  };
  const std::vector<Case> cases = {
      {"1+2\nAns*2\n", "3\n6\n", 0},
      {"1+2", "3\n", 0},                       // last line without a line break
      {"\n\n", "Error.\nError.\n", 1},         // empty lines are expressions too
      {std::string("1\0+2\n", 5) + "2+\n", "Error.\nError.\n", 1},
      {"\xff\xfe\n7\r\n", "Error.\n7\n", 1},  // CR LF ends a line like LF
      {"1+2\r\r\n4\r", "Error.\nError.\n", 1},  // only one CR, and only before LF
      {"", "", 0},
  };
  for (const auto& c : cases) {
    const EvalRun run = runLines(c.input);
    EXPECT_EQ(run.output, c.output);
    EXPECT_EQ(run.status, c.status);
  }
}

TEST(EvalLines, VeryLongLinesStayOneLineEach) {
  std::string input(1000000, '(');
  input += "\n";
  std::string sum = "1";
  for (int i = 0; i < 300000; ++i) sum += "+1";
  input += sum + "\n";
  const EvalRun run = runLines(input);
  EXPECT_EQ(run.output, "Error.\n300'001\n");  // no store: grouping on
}

TEST(EvalLines, PreferenceIsReadOncePerBlockNotPerLine) {
  CountingPreferences prefs;
  setPreferenceSource(&prefs);
  std::string input;
  for (int i = 0; i < 1000; ++i) input += "1000\n";
  const EvalRun run = runLines(input);
  setPreferenceSource(nullptr);
  EXPECT_EQ(run.output.substr(0, 5), "1000\n");  // grouping off, as the source says
  EXPECT_GE(prefs.reads, 1);
  EXPECT_LT(prefs.reads, 20);
}

TEST(EvalArguments, StatusReflectsFailures) {
  std::FILE* sink = std::fopen("/dev/null", "w");
  EXPECT_EQ(evaluateArguments({"1", "2*3"}, sink), 0);
  EXPECT_EQ(evaluateArguments({"1", "2*"}, sink), 1);
  std::fclose(sink);
}

}  // namespace
