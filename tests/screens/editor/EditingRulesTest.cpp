// Inserting, erasing and moving by whole characters: a well-formed UTF-8 sequence is one
// character and so is every byte outside one; the cursor never ends inside a character.
#include <memory>
#include <string>
#include <vector>

#include "EditorTestSupport.h"

namespace {

const std::string kPi = "\xCF\x80", kTimes = "\xC3\x97", kEAcute = "\xC3\xA9";

enum class Action { Insert, Backspace, Delete, Left, Right, Home, End };

// What the action erased, if anything.
std::string apply(ExpressionEditor& editor, Action action, const std::string& inserted) {
  switch (action) {
    case Action::Insert: editor.insertText(inserted); break;
    case Action::Backspace: return editor.eraseBeforeCursor();
    case Action::Delete: return editor.eraseAtCursor();
    case Action::Left: editor.cursorLeft(); break;
    case Action::Right: editor.cursorRight(); break;
    case Action::Home: editor.cursorHome(); break;
    case Action::End: editor.cursorEnd(); break;
  }
  return "";
}

TEST_F(EditorTest, EditsAtTheCursor) {
  struct Case {
    const char* what;
    std::string line;
    int cursor;
    Action action;
    std::string inserted;
    std::string wantLine;
    int wantCursor;
    std::string wantErased;
  };
  const std::vector<Case> cases = {
      {"insert in the middle keeps the rest", "12", 1, Action::Insert, "+", "1+2", 2, ""},
      {"insert a run", "()", 1, Action::Insert, "2*3", "(2*3)", 4, ""},
      {"backspace in the middle", "123", 2, Action::Backspace, "", "13", 1, "2"},
      {"backspace at the start", "12", 0, Action::Backspace, "", "12", 0, ""},
      {"delete in the middle", "123", 1, Action::Delete, "", "13", 1, "2"},
      {"delete at the end", "12", 2, Action::Delete, "", "12", 2, ""},
      {"left at the start", "12", 0, Action::Left, "", "12", 0, ""},
      {"right at the end", "12", 2, Action::Right, "", "12", 2, ""},
      {"home", "123", 2, Action::Home, "", "123", 0, ""},
      {"end", "123", 1, Action::End, "", "123", 3, ""},
      {"backspace takes a whole character", "2" + kPi, 3, Action::Backspace, "", "2", 1, kPi},
      {"delete takes a whole character", kTimes + "2", 0, Action::Delete, "", "2", 0, kTimes},
      {"an invalid byte is one character", "3\xFF" "4", 2, Action::Backspace, "", "34", 1, "\xFF"},
      {"a truncated sequence is single bytes", "\xE2\x82", 2, Action::Backspace, "", "\xE2", 1, "\x82"},
  };
  for (const Case& c : cases) {
    editor.clear();
    place(c.line, c.cursor);
    ASSERT_EQ(editor.getCursorPos(), c.cursor) << c.what;
    EXPECT_EQ(apply(editor, c.action, c.inserted), c.wantErased) << c.what;
    EXPECT_EQ(editor.getText(), c.wantLine) << c.what;
    EXPECT_EQ(editor.getCursorPos(), c.wantCursor) << c.what;
  }
}

TEST_F(EditorTest, CursorStepsOverWholeCharacters) {
  editor.insertText(kPi + kTimes + "2" + kEAcute + "\xFF");
  for (int stop : {7, 5, 4, 2, 0, 0}) {
    editor.cursorLeft();
    EXPECT_EQ(editor.getCursorPos(), stop);
  }
  for (int stop : {2, 4, 5, 7, 8, 8}) {
    editor.cursorRight();
    EXPECT_EQ(editor.getCursorPos(), stop);
  }
}

TEST_F(EditorTest, BytesJoinedByAnEditNeverLeaveTheCursorInsideACharacter) {
  // A lone lead byte and a lone continuation byte become one character when the byte between
  // them goes: the cursor between them moves past the joined character.
  place("\xC3" "x" "\xA9" "1", 1);
  EXPECT_EQ(editor.eraseAtCursor(), "x");
  EXPECT_EQ(editor.getText(), "\xC3\xA9" "1");
  EXPECT_EQ(editor.getCursorPos(), 2);
  // The same from an insertion before a continuation byte.
  editor.clear();
  place("\xA9", 0);
  editor.insertText("\xC3");
  EXPECT_EQ(editor.getCursorPos(), 2);
  EXPECT_EQ(editor.getViewStart(), 0);
}

TEST_F(EditorTest, ClearEmptiesTheLineAndEndsARecall) {
  editor.insertText("1+2");
  editor.stepHistory(+1, 1, [](std::size_t) { return std::make_shared<const std::string>("9"); });
  editor.clear();
  EXPECT_EQ(editor.getText(), "");
  EXPECT_EQ(editor.getCursorPos(), 0);
  EXPECT_EQ(editor.getViewStart(), 0);
  EXPECT_EQ(editor.getHistoryPos(), -1);
  EXPECT_EQ(editor.getCursorX(), static_cast<float>(layout::kLineLeft));
}

// The equal key takes a line of any length: it leaves the editor without being copied.
TEST_F(EditorTest, TakingTheTextMovesIt) {
  editor.insertText(std::string(1 << 20, '7'));
  const char* bytes = editor.getText().data();
  const SharedLine taken = editor.takeText();
  EXPECT_EQ(taken->data(), bytes);
  EXPECT_EQ(taken->size(), std::size_t{1} << 20);
  EXPECT_EQ(editor.getText(), "");
  EXPECT_EQ(editor.getCursorPos(), 0);
  EXPECT_EQ(editor.getViewStart(), 0);
}

}  // namespace
