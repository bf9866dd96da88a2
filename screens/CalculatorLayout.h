// Where the calculator screen puts things, in design units (800 x 1280, origin bottom-left):
// the expression line and its cursor, the history tape, the keypad and the command grid.
// The screen, the editor and the tests all read their geometry from here.
#pragma once

namespace layout {

// Every block of the screen is framed by this margin.
constexpr double kMargin = 15.625;

// --- the expression line
// The text starts at the left margin; a cursor that would stand at or beyond the right limit
// scrolls the window. The limit lies past the clip's right edge, so the characters just before
// such a cursor are cut off while the bar is drawn right of them.
constexpr double kLineLeft = 23.4375;
constexpr float kLineRightLimit = 776.5625f;
constexpr double kLineUsableWidth = kLineRightLimit - kLineLeft;
constexpr float kExpressionY = 864.152405f;  // centre line of the text and of the cursor bar
constexpr float kLineHeight = 61.5727081f;
// The strip that clips the line: its bottom-left corner and width (right edge at 760.9375).
constexpr float kLineClipY = 833.366028f;
constexpr float kLineClipWidth = 737.5f;
constexpr float kLineLabelY = 30.7863541f;  // the label's centre line inside the strip
constexpr float kCursorWidth = 4;
constexpr float kCursorHeight = 49.2581673f;

// --- the history tape: a scroll view four views wide that holds its 20 lines exactly
constexpr float kTapeX = 15.625f, kTapeY = 894.938721f;  // bottom-left corner
constexpr float kTapeWidth = 753.125f, kTapeHeight = 369.436249f;
constexpr float kTapeInnerWidth = 3012.5f, kTapeInnerHeight = 1231.45422f;
constexpr float kTapeLineX = 7.8125f;
constexpr double kTapeFirstLineY = 30.7863541;
constexpr double kTapeLineStep = 61.57270959671541;  // added in double, each line kept as float

// --- the keypad: five columns, four rows, images of 208 x 152 pixels filling their cells
constexpr float kKeypadScale = 0.739182711f;
constexpr float kKeypadColumns[] = {92.5f, 246.25f, 400.0f, 553.75f, 707.5f};
constexpr float kKeypadRows[] = {408.870178f, 296.514435f, 184.158661f, 71.802887f};  // top row first

// --- the command grid above it: six columns, four rows, images of 208 x 137 pixels
constexpr int kCommandColumns = 6, kCommandRows = 4;
constexpr double kCommandCellWidth = 128.125;
constexpr double kCommandCellHeight = 84.2669889749788;
constexpr double kCommandGridBottom = 480.6730769230769;
constexpr float kCommandScaleX = 0.615985572f;
constexpr float kCommandScaleY = 0.615087509f;

// Centre of a command cell; row 0 is the bottom row. Computed in double, kept as float.
constexpr float commandCellX(int column) {
  return static_cast<float>((column + 0.5) * kCommandCellWidth + kMargin);
}
constexpr float commandCellY(int row) {
  return static_cast<float>((row + 0.5) * kCommandCellHeight + kCommandGridBottom);
}

}  // namespace layout
