// Editing the expression line: an operation that a key triggers plays the key click, lets the
// editor apply its rule, and shows the result on the line's label and the cursor bar; erased
// characters fall. Undo and redo give back what an edit changed.
#include "screens/AccessibleNames.h"
#include "screens/MainLayer.h"

using namespace cocos2d;

void MainLayer::showLine() {
  if (_editor.takeShownChange()) _exprLabel->setString(_editor.visibleTail());
  _cursorBar->setPosition(Vec2(_editor.getCursorX(), layout::kExpressionY));
}

void MainLayer::refreshCursor() {
  _editor.refreshCursor();
  showLine();
}

void MainLayer::insertText(const std::string& s) {
  _editor.insertText(s);
  showLine();
}

void MainLayer::insertDigit(int n) {
  playKeySound();
  insertText(std::to_string(n));
}

void MainLayer::insertKeyText(const std::string& text, bool toPage1) { insertTemplate(text, 0, toPage1); }

void MainLayer::insertTemplate(const std::string& text, int stepsBack, bool toPage1) {
  playKeySound();
  // One step: redone, the cursor stands inside the template again.
  _editor.beginStep();
  insertText(text);
  for (int i = 0; i < stepsBack; ++i) cursorLeft();
  _editor.endStep();
  if (toPage1) showPage1();
}

void MainLayer::cursorLeft() {
  playKeySound();
  _editor.cursorLeft();
  showLine();
}

void MainLayer::cursorRight() {
  playKeySound();
  _editor.cursorRight();
  showLine();
}

void MainLayer::cursorHome() {
  playKeySound();
  _editor.cursorHome();
  showLine();
}

void MainLayer::cursorEnd() {
  playKeySound();
  _editor.cursorEnd();
  showLine();
}

void MainLayer::placeCursorAt(float x) {
  playKeySound();
  _editor.placeCursorAt(x);
  showLine();
}

void MainLayer::undo() {
  playKeySound();
  const bool undone = _editor.undo();
  showLine();
  announce(undone ? spokenLine("Undo", _editor.getText()) : "Nothing to undo");
}

void MainLayer::redo() {
  playKeySound();
  const bool redone = _editor.redo();
  showLine();
  announce(redone ? spokenLine("Redo", _editor.getText()) : "Nothing to redo");
}

void MainLayer::eraseBeforeCursor() {
  playKeySound();
  const std::string erased = _editor.eraseBeforeCursor();
  showLine();
  // It falls from where the cursor now stands.
  if (!erased.empty()) spawnFallingGlyph(erased, _cursorBar->getPosition());
}

void MainLayer::eraseAtCursor() {
  playKeySound();
  const std::string erased = _editor.eraseAtCursor();
  showLine();
  if (!erased.empty()) spawnFallingGlyph(erased, _cursorBar->getPosition());
}

void MainLayer::clearAll() {
  playKeySound();
  _editor.clear();
  restTape();
  // The label still shows the old line: its characters fall before it is emptied.
  dropShownCharacters();
  showLine();
  showPage1();
}

void MainLayer::setShiftPage(bool page2) {
  for (MenuItem* item : _page1Items) item->setVisible(!page2);
  for (MenuItem* item : _page2Items) item->setVisible(page2);
}

void MainLayer::toggleShift() {
  playKeySound();
  _shifted = !_shifted;
  setShiftPage(_shifted);
}

void MainLayer::showPage1() {
  _shifted = false;
  setShiftPage(false);
}

void MainLayer::restTape() {
  if (_tapeView->getInnerContainerPosition() != Vec2::ZERO) _tapeView->scrollToBottomLeft(0, false);
}
