// Undo and redo of the line: each edit is one step that gives back the text and the cursor,
// typing runs join, a new edit drops what could be redone, the walk through the history
// comes back with its step, and the history of steps stays bounded.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "EditorTestSupport.h"

namespace {

struct State {
  std::string text;
  int cursor;
  bool operator==(const State& o) const { return text == o.text && cursor == o.cursor; }
};

std::ostream& operator<<(std::ostream& out, const State& s) { return out << '"' << s.text << "\" at " << s.cursor; }

class Undo : public EditorTest {
 public:
  // The edits of the tables reach the editor from outside the fixture.
  using EditorTest::editor;
  using Edit = std::function<void(Undo&)>;

  State state() const { return {editor.getText(), editor.getCursorPos()}; }

  void recall(int direction) {
    editor.stepHistory(direction, history.size(),
                       [this](std::size_t i) { return std::make_shared<const std::string>(history[i]); });
  }

  std::deque<std::string> history{"3", "1+2"};  // newest first
};

// Runs the edits, keeping the state before and after each one that made a step; undoing
// gives back the state before each step, newest first, and redoing the state after each.
TEST_F(Undo, EveryEditIsAStepThatUndoAndRedoWalkThrough) {
  auto insert = [](std::string s) { return [s](Undo& t) { t.editor.insertText(s); }; };
  auto key = [](void (ExpressionEditor::*op)()) { return [op](Undo& t) { (t.editor.*op)(); }; };
  auto erase = [](Undo& t) { t.editor.eraseBeforeCursor(); };
  auto del = [](Undo& t) { t.editor.eraseAtCursor(); };
  auto up = [](Undo& t) { t.recall(+1); };
  auto templateKey = [](std::string s, int back) {
    return [s, back](Undo& t) {
      t.editor.beginStep();
      t.editor.insertText(s);
      for (int i = 0; i < back; ++i) t.editor.cursorLeft();
      t.editor.endStep();
    };
  };
  struct Case {
    const char* what;
    std::vector<Edit> edits;
  };
  const std::vector<Case> cases = {
      {"keys in the middle of the line",
       {insert("12"), key(&ExpressionEditor::cursorLeft), insert("+"), erase, del, key(&ExpressionEditor::cursorEnd),
        insert("*4")}},
      {"a template keeps its cursor inside", {templateKey("gcd(,)", 2), insert("8"), templateKey("sqrt()", 1)}},
      {"clearing", {insert("1+2"), key(&ExpressionEditor::clear), insert("5")}},
      {"whole characters", {insert("2\xCF\x80" "3"), key(&ExpressionEditor::cursorLeft), erase, del}},
      {"recalls, each one step", {insert("7*"), up, up, up, up}},
      {"paste into a recall", {up, insert("+1+2"), up}},
  };
  for (const Case& c : cases) {
    editor.clear();
    const std::size_t base = editor.undoDepth();
    std::vector<std::pair<State, State>> steps;  // before and after each step
    for (const Edit& edit : c.edits) {
      const State before = state();
      const std::size_t depth = editor.undoDepth();
      edit(*this);
      if (editor.undoDepth() > depth) steps.emplace_back(before, state());
    }
    ASSERT_EQ(editor.undoDepth() - base, steps.size()) << c.what;
    for (std::size_t i = steps.size(); i-- > 0;) {
      ASSERT_TRUE(editor.undo()) << c.what;
      EXPECT_EQ(state(), steps[i].first) << c.what << ", undoing step " << i;
    }
    EXPECT_EQ(editor.undoDepth(), base) << c.what;
    for (std::size_t i = 0; i < steps.size(); ++i) {
      ASSERT_TRUE(editor.redo()) << c.what;
      EXPECT_EQ(state(), steps[i].second) << c.what << ", redoing step " << i;
    }
    EXPECT_FALSE(editor.redo()) << c.what;
  }
}

TEST_F(Undo, TypingRunsJoinButKeysAndMovesSeparate) {
  auto type = [](std::string s) { return [s](Undo& t) { t.editor.typeText(s); }; };
  auto insert = [](std::string s) { return [s](Undo& t) { t.editor.insertText(s); }; };
  struct Case {
    const char* what;
    std::vector<Edit> edits;
    std::vector<std::string> undoneLines;  // after each undo
  };
  const std::vector<Case> cases = {
      {"characters typed one after another", {type("1"), type("2"), type("+"), type("3")}, {""}},
      {"keypad keys are steps of their own", {insert("1"), insert("2")}, {"1", ""}},
      {"typing after a key", {insert("1"), type("2"), type("3")}, {"1", ""}},
      {"a key after typing", {type("1"), type("2"), insert("3")}, {"12", ""}},
      {"a cursor move ends the run",
       {type("12"), [](Undo& t) { t.editor.cursorLeft(); }, [](Undo& t) { t.editor.cursorRight(); }, type("3")},
       {"12", ""}},
      {"an erase ends the run", {type("12"), [](Undo& t) { t.editor.eraseBeforeCursor(); }, type("3")}, {"1", "12", ""}},
      {"typing after an undo starts afresh",
       {type("12"), insert("+"), [](Undo& t) { t.editor.undo(); }, type("3")}, {"12", ""}},
  };
  for (const Case& c : cases) {
    editor.clear();
    for (const Edit& edit : c.edits) edit(*this);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < c.undoneLines.size(); ++i) {
      editor.undo();
      lines.push_back(editor.getText());
    }
    EXPECT_EQ(lines, c.undoneLines) << c.what;
  }
}

TEST_F(Undo, ANewEditDropsWhatCouldBeRedone) {
  editor.insertText("1");
  editor.insertText("2");
  editor.insertText("3");
  editor.undo();
  editor.undo();
  EXPECT_EQ(editor.redoDepth(), 2u);
  editor.insertText("+");
  EXPECT_EQ(editor.redoDepth(), 0u);
  EXPECT_FALSE(editor.redo());
  EXPECT_EQ(editor.getText(), "1+");
  editor.undo();
  EXPECT_EQ(editor.getText(), "1");
}

TEST_F(Undo, ARecallComesBackWithItsPlaceInTheWalk) {
  recall(+1);
  recall(+1);
  ASSERT_EQ(editor.getText(), "1+2");
  editor.undo();
  EXPECT_EQ(editor.getText(), "3");
  EXPECT_EQ(editor.getHistoryPos(), 0);
  EXPECT_EQ(editor.getRecalledText(), "3");
  // The walk goes on from there: the next step takes "3" out again.
  recall(+1);
  EXPECT_EQ(editor.getText(), "1+2");
  editor.undo();
  editor.undo();
  EXPECT_EQ(editor.getText(), "");
  EXPECT_EQ(editor.getHistoryPos(), -1);
  editor.redo();
  EXPECT_EQ(editor.getText(), "3");
  EXPECT_EQ(editor.getHistoryPos(), 0);
}

TEST_F(Undo, ClearingIsUndoneWithTheWalkItEnded) {
  editor.insertText("4*");
  recall(+1);
  editor.clear();
  editor.undo();
  EXPECT_EQ(editor.getText(), "4*3");
  EXPECT_EQ(editor.getCursorPos(), 3);
  EXPECT_EQ(editor.getHistoryPos(), 0);
  recall(+1);
  EXPECT_EQ(editor.getText(), "4*1+2") << "the recalled text is taken out as before the clear";
}

TEST_F(Undo, TheOldestStepsGoBeyondTheBound) {
  for (int i = 0; i < 250; ++i) editor.insertText(std::to_string(i % 10));
  EXPECT_EQ(editor.undoDepth(), UndoHistory::kMaxSteps);
  while (editor.undo()) {
  }
  EXPECT_EQ(editor.getText().size(), 250 - UndoHistory::kMaxSteps);
  // Huge lines cleared one after another: the text kept for them stays within its limit, and
  // the newest clear can always be undone.
  const std::string big(20u << 20, '5');
  for (int i = 0; i < 6; ++i) {
    editor.insertText(big);
    editor.clear();
    EXPECT_LE(editor.undoHeldBytes(), UndoHistory::kMaxHeldBytes + big.size()) << i;
  }
  EXPECT_LT(editor.undoDepth(), 12u);
  editor.undo();
  EXPECT_EQ(editor.getText().size(), big.size());
}

// Edits in one step at two places of the line (a group no key makes today): undone and
// redone together.
TEST_F(Undo, AStepMayChangeTwoPlaces) {
  editor.insertText("12");
  editor.beginStep();
  editor.cursorHome();
  editor.insertText("(");
  editor.cursorEnd();
  editor.insertText(")");
  editor.endStep();
  ASSERT_EQ(editor.getText(), "(12)");
  editor.undo();
  EXPECT_EQ(editor.getText(), "12");
  EXPECT_EQ(editor.getCursorPos(), 2);
  editor.redo();
  EXPECT_EQ(editor.getText(), "(12)");
  EXPECT_EQ(editor.getCursorPos(), 4);
}

}  // namespace
