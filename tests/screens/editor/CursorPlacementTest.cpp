// A touch on the line puts the cursor at the character boundary nearest to it, among those the
// window shows; the text's real widths decide between neighbours, and the window stays.
#include <string>
#include <vector>

#include "EditorTestSupport.h"

namespace {

TEST_F(EditorTest, ATouchPutsTheCursorAtTheNearestBoundary) {
  const std::string kPi = "\xCF\x80";
  const std::string sixty(60, '7');
  struct Case {
    const char* what;
    std::string line;
    int cursor;     // where the cursor stands before, which sets the window
    double x;       // from the line's left edge
    int wantAfter;  // the cursor after, counted from the window's start
  };
  const std::vector<Case> cases = {
      {"left half of the first digit", "1234", 4, 10, 0},
      {"right half of the first digit", "1234", 4, 14, 1},
      {"left half of the third", "1234", 0, 2 * 26.6875 + 13, 2},
      {"right half of the third", "1234", 0, 2 * 26.6875 + 14, 3},
      {"past the end", "1234", 0, 500, 4},
      {"left of the text", "1234", 2, -30, 0},
      {"a pair set closer: still before", "111", 0, 38, 1},
      {"a pair set closer: after, by the real width", "111", 0, 38.5, 2},
      {"right half of a two-byte character", kPi + "2", 0, 30, 2},
      {"left half of a two-byte character", kPi + "2", 3, 20, 0},
      {"a scrolled window counts from its start", sixty, 60, 14, 1},
      {"at the clip's edge, without scrolling", sixty, 0, 737.5, 28},
  };
  for (const Case& c : cases) {
    editor.clear();
    place(c.line, c.cursor);
    const int start = editor.getViewStart();
    editor.placeCursorAt(static_cast<float>(layout::kLineLeft + c.x));
    EXPECT_EQ(editor.getCursorPos() - start, c.wantAfter) << c.what;
    EXPECT_EQ(editor.getViewStart(), start) << c.what << ": the window stays";
    EXPECT_EQ(editor.getText(), c.line) << c.what;
    FakeMeasure reference;
    const std::string before = c.line.substr(static_cast<std::size_t>(start),
                                             static_cast<std::size_t>(editor.getCursorPos() - start));
    EXPECT_FLOAT_EQ(editor.getCursorX(), cursorXAfter(reference.width(before))) << c.what;
  }
}

TEST_F(EditorTest, PlacingTheCursorIsNoStepButEndsATypingRun) {
  editor.typeText("12");
  const std::size_t depth = editor.undoDepth();
  editor.placeCursorAt(static_cast<float>(layout::kLineLeft + 500));
  EXPECT_EQ(editor.undoDepth(), depth);
  editor.typeText("3");
  editor.undo();
  EXPECT_EQ(editor.getText(), "12");
}

}  // namespace
