// The memory screen: ten persistent text slots in a list. In store mode a tapped row takes
// the calculator's text; in recall mode a tapped row's text goes back to the calculator.
#pragma once

#include <vector>

#include "cocos/cocos2d.h"

class MemoryLayer : public cocos2d::Layer {
 public:
  static MemoryLayer* create();
  ~MemoryLayer() override;
  bool init() override;
  virtual bool onTouchBegan(cocos2d::Touch* touch, cocos2d::Event* event);
  virtual void onTouchMoved(cocos2d::Touch* touch, cocos2d::Event* event);
  virtual void onTouchEnded(cocos2d::Touch* touch, cocos2d::Event* event);

  // The row under a y coordinate: 0 for slot 1 at the top to 9, or -1 outside the list.
  static int rowAt(float y);
  // A row's rectangle in design units.
  static cocos2d::Rect rowRect(int row);
  // What a tap on the row does: store into the slot, or recall it and return.
  void pickRow(int row);

  // For the automation dump.
  const std::string& getTitle() const { return _title; }
  std::vector<std::string> getValues() const;
  int getHighlightRow() const { return _highlight ? _selectedRow : -1; }

 private:
  MemoryLayer() = default;
  void showHighlight(int row);
  void dropHighlight();

  int _selectedRow = -1;
  cocos2d::Sprite* _highlight = nullptr;
  std::vector<cocos2d::Label*> _valueLabels;
  std::string _title;
};
