// Commands that lead outside the expression line: the clipboard, the information box, the web
// pages, and the memory and settings screens.
#include "platform/Clipboard.h"
#include "screens/Links.h"
#include "screens/MainLayer.h"
#include "screens/MemoryHandOver.h"
#include "screens/MemoryLayer.h"
#include "screens/MessageBox.h"
#include "screens/SettingsLayer.h"
#include "screens/Version.h"

using namespace cocos2d;

namespace {

constexpr int kInfoBoxZOrder = 4;

// The newest history entry without a leading "=", or the line itself when it is not empty.
std::string lineOrNewestEntry(const std::string& line, const std::deque<SharedText>& history) {
  std::string text = line;
  if (text.empty() && !history.empty()) {
    text = *history.front();
    if (!text.empty() && text[0] == '=') text.erase(0, 1);
  }
  return text;
}

void pushWithFlip(Layer* layer) {
  Scene* scene = Scene::create();
  scene->addChild(layer);
  Director::getInstance()->pushScene(TransitionFlipX::create(1.0f, scene));
}

}  // namespace

void MainLayer::copyExpression() {
  playKeySound();
  const std::string text = lineOrNewestEntry(_editor.getText(), _history);
  playKeySound();  // the clipboard write clicks too
  writeClipboard(text);
  showPage1();
}

void MainLayer::pasteClipboard() {
  playKeySound();
  const std::string text = readClipboard();
  if (!text.empty()) insertText(text);
  showPage1();
}

void MainLayer::showInformation() {
  playKeySound();
  CMessageBox::title = "Pemtrix";
  CMessageBox::message = std::string("Pemtrix ver ") + kVersionText +
                         "\n\nPrograming: Q.Orvane\nScreen Design: Keltrup";
  CMessageBox::buttonType = 3;
  CMessageBox::extraButtonLabel = nullptr;
  _infoBox = CMessageBox::create();
  if (!_infoBox) return;
  _infoBox->setCallback([this](int) {
    if (_infoBox) {
      _infoBox->removeFromParentAndCleanup(true);
      _infoBox = nullptr;
    }
    _keypadMenu->setEnabled(true);
    _tapeView->setEnabled(true);
  });
  addChild(_infoBox, kInfoBoxZOrder);
  _keypadMenu->setEnabled(false);
  _tapeView->setEnabled(false);
}

void MainLayer::openHelpPage() {
  playKeySound();
  Application::getInstance()->openURL(std::string(kHelpSite) + kHelpPath);
}

void MainLayer::openStorePage() {
  playKeySound();
  Application::getInstance()->openURL(std::string(kStoreSite) + kStorePath + "?" + kStoreQueryKey + "=" + kPackageId);
}

void MainLayer::openMemoryStore() {
  playKeySound();
  memoryStoreMode = true;
  const std::string text = lineOrNewestEntry(_editor.getText(), _history);
  if (text.empty()) return;
  memoryTransfer = text;
  if (MemoryLayer* layer = MemoryLayer::create()) pushWithFlip(layer);
}

void MainLayer::openMemoryRecall() {
  playKeySound();
  memoryStoreMode = false;
  if (MemoryLayer* layer = MemoryLayer::create()) pushWithFlip(layer);
}

void MainLayer::openSettings() {
  showPage1();
  playKeySound();
  if (SettingsLayer* layer = SettingsLayer::create()) pushWithFlip(layer);
}
