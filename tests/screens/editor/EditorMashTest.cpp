// Thousands of random edits, cursor moves, touches, history steps, undos and redos with any
// bytes at all, and the line's invariants checked after every one: the cursor and the window
// start stay on character boundaries inside the line, the cursor stands where the text before
// it ends and inside the line's width, what the line shows is never changed without saying
// so, and an undo followed by a redo changes nothing.
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "EditorTestSupport.h"

namespace {

using cocos2d::utf8BoundaryAtOrBefore;

class EditorMash : public EditorTest {
 protected:
  std::string randomText(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "1", "2", "8", "+", "-", "*", "/", "(", ")", ".", ",", "'", "%", "e", "Pi", "Ans", "sin(", "11",
        "\xCF\x80", "\xC3\x97", "\xC3\xA9", "\xE6\x97\xA5", "\xF0\x9F\x98\x80", "\xFF", "\x80", "\xC3", "\xA9",
        "\xE2\x82"};
    std::string text;
    const std::size_t count = random() % 10 == 0 ? 50 + random() % 300 : 1 + random() % 6;
    for (std::size_t i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
    return text;
  }

  void step(std::mt19937& random) {
    switch (random() % 16) {
      case 0: case 1: case 2: editor.insertText(randomText(random)); break;
      case 3: editor.eraseBeforeCursor(); break;
      case 4: editor.eraseAtCursor(); break;
      case 5: editor.cursorLeft(); break;
      case 6: editor.cursorRight(); break;
      case 7: random() % 2 ? editor.cursorHome() : editor.cursorEnd(); break;
      case 8:
      case 9:
        editor.stepHistory(random() % 3 ? +1 : -1, history.size(), [this](std::size_t i) { return history[i]; });
        break;
      case 10:
        // As the equal key: the line goes into the history, and the empty line is shown.
        history.push_front(editor.takeText());
        if (history.size() > 20) history.pop_back();
        editor.resetHistoryPos();
        editor.refreshCursor();
        break;
      case 11:
        if (random() % 4 == 0) editor.clear();
        break;
      case 12: editor.undo(); break;
      case 13: editor.redo(); break;
      case 14: editor.typeText(randomText(random)); break;
      default: editor.placeCursorAt(static_cast<float>(random() % 850) - 50); break;
    }
    if (editor.takeShownChange()) shown = editor.visibleTail();
  }

  void expectInvariants(int seed, int n) {
    const std::string& line = editor.getText();
    const int length = static_cast<int>(line.size());
    const int cursor = editor.getCursorPos();
    const int start = editor.getViewStart();
    ASSERT_TRUE(0 <= start && start <= cursor && cursor <= length) << seed << "/" << n << ": " << start << " " << cursor;
    ASSERT_EQ(utf8BoundaryAtOrBefore(line, static_cast<std::size_t>(cursor)), static_cast<std::size_t>(cursor)) << seed << "/" << n;
    ASSERT_EQ(utf8BoundaryAtOrBefore(line, static_cast<std::size_t>(start)), static_cast<std::size_t>(start)) << seed << "/" << n;
    ASSERT_EQ(shown, line.substr(static_cast<std::size_t>(start))) << seed << "/" << n;
    FakeMeasure reference;
    const float x = cursorXAfter(reference.width(line.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(cursor - start))));
    ASSERT_FLOAT_EQ(editor.getCursorX(), x) << seed << "/" << n;
    ASSERT_TRUE(x < layout::kLineRightLimit || start == cursor) << seed << "/" << n;
    ASSERT_GE(editor.getHistoryPos(), -1);
    ASSERT_LT(editor.getHistoryPos(), static_cast<int>(history.size()));
  }

  std::deque<SharedLine> history;
  std::string shown;  // what a label that follows the editor's reported changes would show
};

TEST_F(EditorMash, EveryStepKeepsTheLineSound) {
  for (int seed : {1, 2, 3, 4, 5}) {
    std::mt19937 random(static_cast<std::uint32_t>(seed));
    for (int n = 0; n < 4000; ++n) {
      step(random);
      ASSERT_NO_FATAL_FAILURE(expectInvariants(seed, n));
      // Whatever came before, an undo and a redo give the same text back.
      if (n % 7 == 0) {
        const std::string text = editor.getText();
        if (editor.undo()) {
          ASSERT_TRUE(editor.redo()) << seed << "/" << n;
          ASSERT_EQ(editor.getText(), text) << seed << "/" << n;
        }
        if (editor.takeShownChange()) shown = editor.visibleTail();
        ASSERT_NO_FATAL_FAILURE(expectInvariants(seed, n));
      }
      if (editor.getText().size() > 4000) editor.clear();
    }
  }
}

}  // namespace
