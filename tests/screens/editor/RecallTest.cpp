// Stepping through the history in the line: each step takes the text of the last one out
// again, if it still stands just before the cursor, and inserts the next entry at the cursor.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "EditorTestSupport.h"

namespace {

class Recall : public EditorTest {
 protected:
  void step(int direction) {
    editor.stepHistory(direction, history.size(),
                       [this](std::size_t i) { return std::make_shared<const std::string>(history[i]); });
  }
  std::deque<std::string> history;  // newest first
};

TEST_F(Recall, StepsCycleThroughTheEntriesAndNone) {
  struct Case {
    const char* what;
    std::deque<std::string> history;
    std::string typedFirst;
    std::vector<int> steps;
    std::vector<std::string> lines;  // after each step
    std::vector<int> positions;
  };
  const std::vector<Case> cases = {
      {"up walks from the newest", {"3", "1+2"}, "", {+1, +1, +1, +1}, {"3", "1+2", "", "3"}, {0, 1, -1, 0}},
      {"down walks from the oldest", {"3", "1+2"}, "", {-1, -1, -1, -1}, {"1+2", "3", "", "1+2"}, {1, 0, -1, 1}},
      {"an empty history leaves the line", {}, "7", {+1, -1}, {"7", "7"}, {-1, -1}},
      {"into a line at the cursor, and out again", {"3", "1+2"}, "7*", {+1, +1, -1}, {"7*3", "7*1+2", "7*3"}, {0, 1, 0}},
      {"empty entries count but insert nothing", {"", "5"}, "", {+1, +1, +1}, {"", "5", ""}, {0, 1, -1}},
      {"digit-group marks stay", {"1'234"}, "", {+1}, {"1'234"}, {0}},
  };
  for (const Case& c : cases) {
    editor.clear();
    history = c.history;
    editor.insertText(c.typedFirst);
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      step(c.steps[i]);
      EXPECT_EQ(editor.getText(), c.lines[i]) << c.what << ", step " << i;
      EXPECT_EQ(editor.getHistoryPos(), c.positions[i]) << c.what << ", step " << i;
    }
  }
}

TEST_F(Recall, TextEditedAfterARecallStays) {
  history = {"3", "1+2"};
  step(+1);
  editor.insertText("+");
  step(+1);
  EXPECT_EQ(editor.getText(), "3+1+2");
  // Moving the cursor away from the recalled text keeps it too.
  editor.cursorHome();
  step(+1);
  EXPECT_EQ(editor.getText(), "3+1+2");
}

TEST_F(Recall, RemovingALongRecallBringsTheWindowBack) {
  history = {std::string(300, '6'), "1"};
  struct Case {
    const char* what;
    std::string typedFirst;
    std::string wantLine;
  };
  for (const Case& c : {Case{"the whole line", "", "1"}, Case{"after other text", "9", "91"}}) {
    editor.clear();
    editor.insertText(c.typedFirst);
    step(+1);
    ASSERT_GT(editor.getViewStart(), 0) << c.what;
    step(+1);
    EXPECT_EQ(editor.getText(), c.wantLine) << c.what;
    EXPECT_EQ(editor.getViewStart(), 0) << c.what;
    EXPECT_EQ(editor.visibleTail(), c.wantLine) << c.what;
  }
}

TEST_F(Recall, TheEqualKeyAndClearingEndTheWalk) {
  history = {"3", "1+2"};
  step(+1);
  step(+1);
  editor.resetHistoryPos();
  EXPECT_EQ(editor.getRecalledText(), "1+2") << "only the next step replaces it";
  editor.takeText();
  step(+1);
  EXPECT_EQ(editor.getText(), "3");
  editor.clear();
  EXPECT_EQ(editor.getHistoryPos(), -1);
}

}  // namespace
