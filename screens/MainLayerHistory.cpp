// The history: stepping through past entries in the line, and keeping them in the store.
#include "cocos/base/UserDefault.h"
#include "screens/MainLayer.h"
#include "screens/SettingsVocabulary.h"

using namespace cocos2d;

namespace {
// A hand-edited store may announce any count; reading stops here so that start-up stays fast
// and small. Twenty entries is all the program ever writes.
constexpr int kMaxHistoryEntriesRead = 10000;
}  // namespace

void MainLayer::loadHistory() {
  history.clear();
  UserDefault* store = UserDefault::getInstance();
  int count = store->getIntegerForKey(kKeyHistoryCount, kDefaultHistoryCount);
  if (count > kMaxHistoryEntriesRead) count = kMaxHistoryEntriesRead;
  for (int i = 0; i < count; ++i) {
    history.push_back(std::make_shared<const std::string>(store->getStringForKey(histStringKey(i).c_str())));
  }
}

void MainLayer::saveHistory() {
  UserDefault* store = UserDefault::getInstance();
  // One transaction: another instance, or a crash, never sees half a history.
  store->runInTransaction([&] {
    store->setIntegerForKey(kKeyHistoryCount, static_cast<int>(history.size()));
    for (std::size_t i = 0; i < history.size(); ++i) {
      store->setStringForKey(histStringKey(static_cast<int>(i)).c_str(), *history[i]);
    }
  });
}

void MainLayer::removeRecalled() {
  const auto length = static_cast<std::int32_t>(recalledText.size());
  if (cursorPos < length) return;
  if (expression == recalledText) {
    recalledText.clear();
    viewStart = 0;
    cursorPos = 0;
    expression.clear();
    exprLabel->setString("");
  } else if (expression.compare(static_cast<std::size_t>(cursorPos - length), recalledText.size(), recalledText) == 0) {
    expression.erase(static_cast<std::size_t>(cursorPos - length), recalledText.size());
    cursorPos -= length;
    // A long recall scrolled the window past what is left: start it afresh, so that the
    // next refresh shows the text before the cursor rather than an empty line.
    if (viewStart > cursorPos) viewStart = 0;
    settleIndexes();
    lineEdited = true;
    exprLabel->setString(visibleTail());
  }
}

void MainLayer::historyUp() {
  playKeySound();
  removeRecalled();
  refreshCursor();
  historyPos += 1;
  if (historyPos == static_cast<std::int32_t>(history.size())) historyPos = -1;
  recalledText = historyPos < 0 ? std::string() : *history[static_cast<std::size_t>(historyPos)];
  if (!recalledText.empty()) insertText(recalledText);
}

void MainLayer::historyDown() {
  playKeySound();
  removeRecalled();
  refreshCursor();
  if (historyPos < 0) historyPos = static_cast<std::int32_t>(history.size());
  historyPos -= 1;
  recalledText = historyPos < 0 ? std::string() : *history[static_cast<std::size_t>(historyPos)];
  if (!recalledText.empty()) insertText(recalledText);
}
