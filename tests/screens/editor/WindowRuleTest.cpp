// The sideways-scrolling window of the line, checked against the plain rule it implements
// (scroll right one character at a time, measuring the whole text before the cursor each
// time, until the cursor fits), and what it costs on a long line.
#include <random>
#include <string>

#include "EditorTestSupport.h"

namespace {

class WindowRule : public EditorTest {
 protected:
  void expectWindow(const Window& want, const char* step) {
    ASSERT_EQ(editor.getViewStart(), want.viewStart) << step << " line \"" << editor.getText() << "\"";
    ASSERT_FLOAT_EQ(editor.getCursorX(), want.cursorX) << step;
    ASSERT_EQ(editor.visibleTail(), editor.getText().substr(static_cast<std::size_t>(editor.getViewStart()))) << step;
  }
};

TEST_F(WindowRule, RandomEditsKeepTheWindowOfThePlainRule) {
  std::mt19937 random(20261207);
  const std::string alphabet = "0123456789+-*/().,eWil'%1111";
  for (int step = 0; step < 3000; ++step) {
    const int before = editor.getViewStart();
    const int cursor = editor.getCursorPos();
    const int length = static_cast<int>(editor.getText().size());
    switch (random() % 9) {
      case 0:
      case 1:
      case 2: {
        std::string chunk(1 + random() % (random() % 5 == 0 ? 40 : 3), ' ');
        for (char& c : chunk) c = alphabet[random() % alphabet.size()];
        editor.insertText(chunk);
        expectWindow(plainWindow(before, cursor + static_cast<int>(chunk.size()), editor.getText()), "insert");
        break;
      }
      case 3:
        editor.cursorLeft();
        expectWindow(plainWindow(before, cursor > 0 ? cursor - 1 : cursor, editor.getText()), "left");
        break;
      case 4:
        editor.cursorRight();
        expectWindow(plainWindow(before, cursor < length ? cursor + 1 : cursor, editor.getText()), "right");
        break;
      case 5:
        if (random() % 2) {
          editor.cursorHome();
          expectWindow(plainWindow(0, 0, editor.getText()), "home");
        } else {
          editor.cursorEnd();
          expectWindow(plainWindow(before, length, editor.getText()), "end");
        }
        break;
      case 6: {
        if (cursor == 0) break;
        editor.eraseBeforeCursor();
        // The only visible character went: the window shows the last one left.
        int start = before;
        while (start > 0 && start >= length - 1) --start;
        expectWindow(plainWindow(start, cursor - 1, editor.getText()), "backspace");
        break;
      }
      case 7: {
        // Delete leaves the window and the cursor where they are.
        const float x = editor.getCursorX();
        editor.eraseAtCursor();
        expectWindow({before, x}, "delete");
        break;
      }
      default:
        if (length > 200) editor.clear();
        break;
    }
  }
}

TEST_F(WindowRule, MultiByteTextScrollsByTheSameRule) {
  const std::string text = "\xE6\x97\xA5\xE6\x9C\xAC" "123\xC3\xA9" "456\xFF";  // Japanese, digits, e-acute, a lone byte
  for (int i = 0; i < 12; ++i) {
    const int before = editor.getViewStart();
    const int cursor = editor.getCursorPos();
    editor.insertText(text);
    expectWindow(plainWindow(before, cursor + static_cast<int>(text.size()), editor.getText()), "insert");
  }
}

TEST_F(WindowRule, TheWindowFollowsTheCursorBackAndHomeShowsTheWholeLine) {
  editor.insertText(std::string(100, '8'));
  const int scrolled = editor.getViewStart();
  ASSERT_GT(scrolled, 0);
  // Moving left inside the window leaves it; going before it brings it along.
  editor.cursorLeft();
  EXPECT_EQ(editor.getViewStart(), scrolled);
  while (editor.getCursorPos() > scrolled) editor.cursorLeft();
  EXPECT_EQ(editor.getViewStart(), scrolled);
  // Backspace at the window's left edge takes the hidden character before it.
  EXPECT_EQ(editor.eraseBeforeCursor(), "8");
  EXPECT_EQ(editor.getViewStart(), scrolled - 1);
  EXPECT_EQ(editor.getCursorPos(), scrolled - 1);
  editor.cursorHome();
  EXPECT_EQ(editor.getViewStart(), 0);
  EXPECT_EQ(editor.visibleTail(), editor.getText());
  EXPECT_EQ(editor.getCursorX(), static_cast<float>(layout::kLineLeft));
}

TEST_F(WindowRule, ErasingTheOnlyVisibleCharacterShowsTheLastOneLeft) {
  editor.insertText(std::string(60, '5'));
  const int start = editor.getViewStart();
  // Cursor just after the window's first character, then everything after it deleted.
  while (editor.getCursorPos() > start + 1) editor.cursorLeft();
  while (!editor.eraseAtCursor().empty()) {
  }
  ASSERT_EQ(editor.getViewStart(), start);
  ASSERT_EQ(editor.getCursorPos(), start + 1);
  editor.eraseBeforeCursor();
  EXPECT_EQ(editor.getViewStart(), start - 1);
  EXPECT_EQ(editor.visibleTail(), "5");
}

// The label is set again only when what it shows changed: a million-character line costs a
// layout each time.
TEST_F(WindowRule, ReportsAChangeOfWhatTheLineShowsOnlyWhenThereIsOne) {
  struct Case {
    const char* what;
    void (*act)(ExpressionEditor&);
    bool changed;
  };
  const Case cases[] = {
      {"insert", [](ExpressionEditor& e) { e.insertText("1"); }, true},
      {"left inside the window", [](ExpressionEditor& e) { e.cursorLeft(); }, false},
      {"right inside the window", [](ExpressionEditor& e) { e.cursorRight(); }, false},
      {"end where the window already is", [](ExpressionEditor& e) { e.cursorEnd(); }, false},
      {"home on a scrolled line", [](ExpressionEditor& e) { e.cursorHome(); }, true},
      {"home again", [](ExpressionEditor& e) { e.cursorHome(); }, false},
      {"end on a long line", [](ExpressionEditor& e) { e.cursorEnd(); }, true},
      {"delete at the end", [](ExpressionEditor& e) { e.eraseAtCursor(); }, false},
      {"backspace", [](ExpressionEditor& e) { e.eraseBeforeCursor(); }, true},
      {"removing an empty recall", [](ExpressionEditor& e) { e.removeRecalled(); }, false},
      {"clear", [](ExpressionEditor& e) { e.clear(); }, true},
      {"clear an empty line", [](ExpressionEditor& e) { e.clear(); }, false},
  };
  editor.insertText(std::string(100, '4'));
  editor.takeShownChange();
  for (const Case& c : cases) {
    c.act(editor);
    EXPECT_EQ(editor.takeShownChange(), c.changed) << c.what;
  }
}

// Each key on a long line measures about what the line shows, not the whole line: the width
// is summed back from the cursor over cached advances, then confirmed once.
TEST_F(WindowRule, KeysOnAMillionCharacterLineMeasureOnlyWhatIsShown) {
  editor.insertText(std::string(1000000, '7'));
  struct Case {
    const char* what;
    void (*act)(ExpressionEditor&);
  };
  const Case cases[] = {
      {"insert at the end", [](ExpressionEditor& e) { e.insertText("3"); }},
      {"backspace", [](ExpressionEditor& e) { e.eraseBeforeCursor(); }},
      {"left", [](ExpressionEditor& e) { e.cursorLeft(); }},
      {"home", [](ExpressionEditor& e) { e.cursorHome(); }},
      {"insert at the start", [](ExpressionEditor& e) { e.insertText("3"); }},
      {"end", [](ExpressionEditor& e) { e.cursorEnd(); }},
  };
  for (const Case& c : cases) {
    const std::size_t before = measure.measuredBytes;
    c.act(editor);
    EXPECT_LT(measure.measuredBytes - before, 500u) << c.what;
  }
}

}  // namespace
