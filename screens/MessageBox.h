// A dialog layer over a dimmed screen: a title bar, a body text and one to three buttons. It
// reports the chosen code through a callback and never closes itself; its owner removes it.
#pragma once

#include <functional>
#include <string>

#include "cocos/cocos2d.h"

class CMessageBox : public cocos2d::Layer {
 public:
  // Result codes reported to the callback.
  static constexpr int kNo = 0;
  static constexpr int kYes = 1;
  static constexpr int kAfter = 2;
  static constexpr int kOk = 3;
  static constexpr int kExtra = 6;

  // The request, read once when a box is built. message is consumed by the first report.
  static std::string title;
  static std::string message;
  static int buttonType;  // 5: Yes/No/After; 4: Yes/No (+ extra when labelled); other: OK
  static const char* extraButtonLabel;

  static CMessageBox* create();
  ~CMessageBox() override;
  bool init() override;
  void setCallback(const std::function<void(int)>& callback) { _callback = callback; }

  // The box's rectangle in design units, for the automation dump.
  cocos2d::Rect getBoxRect() const { return _boxRect; }
  const std::vector<std::string>& getButtonCaptions() const { return _captions; }
  const std::string& getTitleText() const { return _titleText; }
  const std::string& getBodyText() const { return _bodyText; }

 private:
  CMessageBox() = default;
  void addButton(float x, cocos2d::MenuItem* item, const std::string& caption);
  void report(int code);

  float _buttonY = 0;
  cocos2d::Label* _messageLabel = nullptr;
  std::function<void(int)> _callback;
  cocos2d::Rect _boxRect;
  std::vector<std::string> _captions;
  std::string _titleText;
  std::string _bodyText;
};
