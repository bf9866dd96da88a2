// What undo costs on long lines: steps keep what changed, never the line, so undoing and
// redoing small edits on ten megabytes allocates next to nothing and leaves the line where it
// is, a clear gives the very bytes back, and a hundred steps on a megabyte hold a few
// kilobytes. The heap is counted by the program's own operator new.
#include <cstdio>
#include <string>

#include "EditorTestSupport.h"
#include "HeapCounter.h"

namespace {

std::string digits(std::size_t n) {
  std::string s(n, '0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>('0' + i % 10);
  return s;
}

// A hundred steps of the kinds a hand makes, spread over the line.
void hundredSmallSteps(ExpressionEditor& editor) {
  for (int i = 0; i < 100; ++i) {
    if (i % 10 == 0) editor.cursorHome();
    for (int k = 0; k < 3; ++k) editor.cursorRight();
    switch (i % 4) {
      case 0: editor.insertText("+"); break;
      case 1: editor.eraseBeforeCursor(); break;
      case 2: editor.eraseAtCursor(); break;
      default: editor.insertText("sqrt()"); break;
    }
  }
}

TEST_F(EditorTest, SmallStepsOnTenMegabytesCopyNothing) {
  editor.insertText(digits(10u << 20));
  editor.cursorHome();
  for (int i = 0; i < 500; ++i) editor.cursorRight();
  // Room for what the steps put in, so that the line's own growth is not counted.
  editor.insertText(std::string(4096, '1'));
  editor.undo();
  const char* bytes = editor.getText().data();
  const std::string before = editor.getText();

  const HeapCount start = heapCount();
  hundredSmallSteps(editor);
  // The hundred steps are all the history holds now: undo them all, redo, undo again.
  while (editor.undo()) {
  }
  while (editor.redo()) {
  }
  while (editor.undo()) {
  }
  const HeapCount end = heapCount();

  EXPECT_EQ(editor.getText(), before);
  EXPECT_EQ(editor.getText().data(), bytes) << "the line stayed where it was";
  // Four hundred steps done and undone: kilobytes, where one copy of the line is ten megabytes.
  EXPECT_LT(end.allocated - start.allocated, std::size_t{256} << 10);
}

TEST_F(EditorTest, AClearOfTenMegabytesIsUndoneWithTheSameBytes) {
  editor.insertText(digits(10u << 20));
  const char* bytes = editor.getText().data();
  const HeapCount start = heapCount();
  editor.clear();
  editor.undo();
  EXPECT_EQ(editor.getText().data(), bytes);
  editor.redo();
  EXPECT_EQ(editor.getText(), "");
  editor.undo();
  EXPECT_EQ(editor.getText().data(), bytes);
  EXPECT_EQ(editor.getText().size(), 10u << 20);
  EXPECT_LT(heapCount().allocated - start.allocated, std::size_t{64} << 10);
}

TEST_F(EditorTest, AHundredStepsOnAMegabyteHoldLittle) {
  editor.insertText(digits(1u << 20));
  const HeapCount start = heapCount();
  const std::size_t lineBefore = editor.getText().capacity();
  hundredSmallSteps(editor);
  ASSERT_EQ(editor.undoDepth(), UndoHistory::kMaxSteps);
  const HeapCount end = heapCount();
  const std::size_t held = end.live - start.live - (editor.getText().capacity() - lineBefore);
  std::printf("[ measure  ] 100 steps on a 1 MiB line hold %zu bytes beyond the line\n", held);
  EXPECT_LT(held, std::size_t{2} << 20);
  EXPECT_LT(held, std::size_t{64} << 10) << "a few hundred bytes a step";
}

}  // namespace
