// The calculator screen: the expression line with its cursor, the history tape, the keypad
// and command grid, and every operation that a key or the keyboard triggers.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "cocos/cocos2d.h"
#include "cocos/ui/UIScrollView.h"

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
  void insertTemplate(const std::string& text, int stepsBack, bool returnToPage1);
  void insertKeyText(const std::string& text, bool returnToPage1 = false);
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
  const std::string& getExpression() const { return expression; }
  int getCursorPos() const { return cursorPos; }
  int getViewStart() const { return viewStart; }
  bool isShifted() const { return shifted; }
  int getShiftKeysDown() const { return shiftKeysDown; }
  int getHistoryPos() const { return historyPos; }
  const std::string& getRecalledText() const { return recalledText; }
  // Entries are shared with the tape lines that show them, so a long line is kept once.
  const std::deque<cocos2d::SharedText>& getHistory() const { return history; }
  const std::string& historyEntry(std::size_t i) const { return *history[i]; }
  const std::vector<FallingGlyph>& getFallingGlyphs() const { return fallingGlyphs; }
  cocos2d::Label* getExprLabel() const { return exprLabel; }
  cocos2d::Sprite* getCursorBar() const { return cursorBar; }
  cocos2d::Label* getTapeLine(int i) const { return historyTape[i]; }
  cocos2d::ui::ScrollView* getTapeView() const { return tapeView; }
  cocos2d::Menu* getKeypadMenu() const { return keypadMenu; }
  cocos2d::Sprite* getBackgroundSprite() const { return backgroundSprite; }
  const std::vector<cocos2d::MenuItem*>& getPage1Items() const { return page1Items; }
  const std::vector<cocos2d::MenuItem*>& getPage2Items() const { return page2Items; }
  CMessageBox* getInfoBox() const { return infoBox; }

 private:
  MainLayer() = default;

  void buildPanel();
  void buildTape();
  void buildExpressionLine();
  void buildKeys();
  void registerKeyboard();
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
  void updateCursorBlink();
  void updateFallingGlyphs();
  float measureWidth(const std::string& text);
  // The width of the character between two boundaries of the line.
  float characterAdvance(std::int32_t begin, std::int32_t end);
  std::string visibleTail() const;
  std::int32_t firstFittingStart(std::int32_t from, float& widthBeforeCursor);
  // Character steps over the line's UTF-8 (an invalid byte is one character).
  std::int32_t nextCharacter(std::int32_t i) const;
  std::int32_t previousCharacter(std::int32_t i) const;
  // Puts the cursor and the window start back on character boundaries within the line, with
  // the window start not after the cursor, whatever an edit did to the bytes around them.
  void settleIndexes();
  // Every character the line's label shows starts falling (clearing the line).
  void dropShownCharacters();
  // A falling character; without a label it only takes its random numbers.
  void launchFallingGlyph(const std::string& text, const cocos2d::Vec2& position, bool withLabel);

  bool shifted = false;
  std::int32_t shiftKeysDown = 0;
  std::int32_t viewStart = 0;
  std::int32_t cursorPos = 0;
  std::int32_t historyPos = -1;
  std::string recalledText;
  std::string expression;
  cocos2d::Sprite* backgroundSprite = nullptr;
  cocos2d::Menu* keypadMenu = nullptr;
  cocos2d::Sprite* cursorBar = nullptr;
  cocos2d::Label* measureLabel = nullptr;
  cocos2d::Label* exprLabel = nullptr;
  cocos2d::Label* historyTape[kTapeLines] = {};
  std::vector<cocos2d::MenuItem*> page1Items;
  std::vector<cocos2d::MenuItem*> page2Items;
  std::deque<cocos2d::SharedText> history;
  cocos2d::ui::ScrollView* tapeView = nullptr;
  CMessageBox* infoBox = nullptr;
  std::vector<FallingGlyph> fallingGlyphs;
  float asciiAdvances[128] = {};  // widths of single characters in the line's font, 0 = unknown
  std::map<std::string, float> otherAdvances;  // the same for characters outside ASCII
  bool cursorShown = true;
  bool lineEdited = false;  // the line changed since the label was last set
};

// The calculator screen that the command handlers act on; set by MainLayer::init.
extern MainLayer* currentMainLayer;
// Clock reading (100-nanosecond ticks) taken by MainLayer::init; the cursor blinks from it.
extern std::uint64_t startTicks;
