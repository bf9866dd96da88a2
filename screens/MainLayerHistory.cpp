// The history: stepping through past entries in the line, and keeping them in the store.
#include <iterator>

#include "cocos/services/store/UserDefault.h"
#include "screens/HistoryPrefetch.h"
#include "screens/MainLayer.h"
#include "screens/SettingsVocabulary.h"

using namespace cocos2d;

void MainLayer::loadHistory() {
  history.clear();
  std::vector<SharedText> entries;
  if (!takePrefetchedHistory(entries)) entries = readStoredHistory();
  history.assign(std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
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
