// The calculator screen: the expression line with its cursor, the history tape, the keypad
// and command grid, and every operation that a key, the keyboard or a touch triggers. The
// line's text and rules live in its ExpressionEditor; the screen adds the key click, the
// labels, the cursor bar, the falling characters and the keypad pages.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "cocos/cocos2d.h"
#include "cocos/ui/UIScrollView.h"
#include "screens/DoubleTap.h"
#include "screens/ExpressionEditor.h"
#include "screens/LabelMeasure.h"

class CMessageBox;

// One character falling off the screen after it was erased.
struct FallingGlyph {
  cocos2d::Label* label;  // owned by the scene graph
  float vx;               // design units per frame
  float vy;               // design units per frame, negative is downwards
  float spin;             // degrees per frame, clockwise
};

class MainLayer : public cocos2d::Layer {
 public:
  static constexpr int kTapeLines = 20;
  static constexpr std::size_t kHistoryCapacity = 20;

  static MainLayer* create();

  ~MainLayer() override;
  void onEnterTransitionDidFinish() override;
  void update(float dt) override;
  bool init() override;

  // The key click, played when the "SoundEffect" preference is on.
  void playKeySound();

  // --- editing
  void insertText(const std::string& s);
  void insertDigit(int n);
  // The key click, the text, then one cursorLeft per step back (each with its own click).
  void insertTemplate(const std::string& text, int stepsBack, bool toPage1);
  // A key that inserts its text as it is: a template without steps back.
  void insertKeyText(const std::string& text, bool toPage1 = false);
  void cursorLeft();
  void cursorRight();
  void cursorHome();
  void cursorEnd();
  void eraseBeforeCursor();
  void eraseAtCursor();
  void clearAll();
  void toggleShift();
  void setShiftPage(bool page2);
  void refreshCursor();
  // The line as it was before its last change, or after the change last undone; the key
  // click, no falling characters, and a screen reader hears the line.
  void undo();
  void redo();
  // A touch on the line: the cursor to the nearest character boundary (x in design units).
  void placeCursorAt(float x);
  // A double tap on a tape line, or a screen reader's action on it: its text goes in at the
  // cursor, a result without its "=", and a screen reader hears what went in.
  void insertTapeLine(int line);

  // --- falling characters
  void spawnFallingGlyph(const std::string& text, const cocos2d::Vec2& position);

  // --- evaluation and history
  void evaluate();
  void historyUp();
  void historyDown();
  void removeRecalled();
  void saveHistory();
  void loadHistory();

  // --- clipboard, information box, links and other screens
  void copyExpression();
  void pasteClipboard();
  void showInformation();
  void openHelpPage();
  void openStorePage();
  void openMemoryStore();
  void openMemoryRecall();
  void openSettings();

  // --- read access for the automation dump and the tests
  const std::string& getExpression() const { return _editor.getText(); }
  int getCursorPos() const { return _editor.getCursorPos(); }
  int getViewStart() const { return _editor.getViewStart(); }
  bool isShifted() const { return _shifted; }
  int getShiftKeysDown() const { return _shiftKeysDown; }
  int getHistoryPos() const { return _editor.getHistoryPos(); }
  const std::string& getRecalledText() const { return _editor.getRecalledText(); }
  // Entries are shared with the tape lines that show them, so a long line is kept once.
  const std::deque<cocos2d::SharedText>& getHistory() const { return _history; }
  const std::vector<FallingGlyph>& getFallingGlyphs() const { return _fallingGlyphs; }
  cocos2d::Label* getExprLabel() const { return _exprLabel; }
  cocos2d::Sprite* getCursorBar() const { return _cursorBar; }
  cocos2d::Label* getTapeLine(int i) const { return _historyTape[i]; }
  cocos2d::ui::ScrollView* getTapeView() const { return _tapeView; }
  cocos2d::Menu* getKeypadMenu() const { return _keypadMenu; }
  cocos2d::Sprite* getBackgroundSprite() const { return _backgroundSprite; }
  const std::vector<cocos2d::MenuItem*>& getPage1Items() const { return _page1Items; }
  const std::vector<cocos2d::MenuItem*>& getPage2Items() const { return _page2Items; }
  CMessageBox* getInfoBox() const { return _infoBox; }
  std::size_t getUndoDepth() const { return _editor.undoDepth(); }
  std::size_t getRedoDepth() const { return _editor.redoDepth(); }
  // What the screen last gave screen readers to speak.
  const std::string& getLastAnnouncement() const { return _lastAnnouncement; }

 private:
  MainLayer() = default;

  void buildPanel();
  void buildTape();
  void buildExpressionLine();
  void buildKeys();
  void registerKeyboard();
  // Touches on the line (the cursor) and on the tape (double taps), alongside the tape's own
  // dragging.
  void registerTouches();
  bool touchBegan(const cocos2d::Vec2& at);
  void touchMoved(const cocos2d::Vec2& at);
  void touchEnded(const cocos2d::Vec2& at);
  // The tape line under a point of the screen, or -1.
  int tapeLineAt(const cocos2d::Vec2& at) const;
  // Has a screen reader speak the message.
  void announce(const std::string& message);
  void keyPressed(cocos2d::EventKeyboard::KeyCode code, const cocos2d::EventKeyboard& key);
  // Text from the keyboard: the characters the line takes go in, "=" evaluates, the rest is
  // dropped.
  void typeText(const std::string& text);
  // What a key without text does, by its code (Shift as counted now).
  void keyTableAction(cocos2d::EventKeyboard::KeyCode code);
  void paintBackground();
  void fillTapeFromHistory();
  void pushTapeLines(int count);
  void restTape();
  // Shows page 1 of the command grid, as the commands marked so do when they are done.
  void showPage1();
  // Brings the line's label and the cursor bar up to the editor's state.
  void showLine();
  // One step through the history, older (+1) or newer (-1).
  void stepHistory(int step);
  void updateCursorBlink();
  void updateFallingGlyphs();
  // Every character the line's label shows starts falling (clearing the line).
  void dropShownCharacters();
  // A falling character; without a label it only takes its random numbers.
  void launchFallingGlyph(const std::string& text, const cocos2d::Vec2& position, bool withLabel);

  bool _shifted = false;
  std::int32_t _shiftKeysDown = 0;
  // Declared before the editor, which measures through it.
  LabelMeasure _lineMeasure;
  ExpressionEditor _editor{_lineMeasure};
  cocos2d::Sprite* _backgroundSprite = nullptr;
  cocos2d::Menu* _keypadMenu = nullptr;
  cocos2d::Sprite* _cursorBar = nullptr;
  cocos2d::Label* _exprLabel = nullptr;
  cocos2d::Label* _historyTape[kTapeLines] = {};
  std::vector<cocos2d::MenuItem*> _page1Items;
  std::vector<cocos2d::MenuItem*> _page2Items;
  std::deque<cocos2d::SharedText> _history;
  cocos2d::ui::ScrollView* _tapeView = nullptr;
  CMessageBox* _infoBox = nullptr;
  std::vector<FallingGlyph> _fallingGlyphs;
  bool _cursorShown = true;
  DoubleTap _tapeTaps;
  bool _touchOnTape = false;  // the touch in progress began on the tape
  std::string _lastAnnouncement;
};

// The calculator screen that the command handlers act on; set by MainLayer::init.
extern MainLayer* currentMainLayer;
// Clock reading (100-nanosecond ticks) taken by MainLayer::init; the cursor blinks from it.
extern std::uint64_t startTicks;
