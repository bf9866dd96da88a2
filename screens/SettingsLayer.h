// The settings screen: five full-width rows that each toggle or step one preference, write it
// to the store at once and rewrite their caption.
#pragma once

#include <string>
#include <vector>

#include "cocos/cocos2d.h"

class SettingsLayer : public cocos2d::Layer {
 public:
  static SettingsLayer* create();
  ~SettingsLayer() override;
  bool init() override;

  // For the automation dump: the five captions top to bottom, and the swatch.
  std::vector<std::string> getCaptions() const;
  cocos2d::Sprite* getSwatch() const { return _swatch; }
  int countSwatches() const;

 private:
  SettingsLayer() = default;
  cocos2d::MenuItemImage* createRow(const std::string& caption, cocos2d::Label** label,
                                    const cocos2d::ccMenuCallback& callback);
  void updateAllLabels();
  void updateLangLabel();
  void updateBgLabel();
  void updateSoundLabel();
  void updateCommaLabel();
  void updateFallLabel();
  void updateSwitchLabel(cocos2d::Label* label, const char* key, const char* japanese, const char* english);
  void toggle(const char* key, int defaultValue);

  cocos2d::Sprite* _swatch = nullptr;
  cocos2d::Label* _langLabel = nullptr;
  cocos2d::Label* _bgLabel = nullptr;
  cocos2d::Label* _soundLabel = nullptr;
  cocos2d::Label* _commaLabel = nullptr;
  cocos2d::Label* _fallLabel = nullptr;
  cocos2d::MenuItemImage* _langItem = nullptr;
  cocos2d::MenuItemImage* _bgItem = nullptr;
  cocos2d::MenuItemImage* _soundItem = nullptr;
  cocos2d::MenuItemImage* _commaItem = nullptr;
  cocos2d::MenuItemImage* _fallItem = nullptr;
};
