// The history: stepping through past entries in the line, and keeping them in the store.
#include <iterator>

#include "cocos/services/store/UserDefault.h"
#include "screens/HistoryPrefetch.h"
#include "screens/MainLayer.h"
#include "screens/SettingsVocabulary.h"

using namespace cocos2d;

void MainLayer::loadHistory() {
  _history.clear();
  std::vector<SharedText> entries;
  if (!takePrefetchedHistory(entries)) entries = readStoredHistory();
  _history.assign(std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
}

void MainLayer::saveHistory() {
  UserDefault* store = UserDefault::getInstance();
  // One transaction: another instance, or a crash, never sees half a history.
  store->runInTransaction([&] {
    store->setIntegerForKey(kKeyHistoryCount, static_cast<int>(_history.size()));
    for (std::size_t i = 0; i < _history.size(); ++i) {
      store->setStringForKey(histStringKey(static_cast<int>(i)).c_str(), *_history[i]);
    }
  });
}

void MainLayer::removeRecalled() {
  _editor.removeRecalled();
  showLine();
}

void MainLayer::stepHistory(int step) {
  playKeySound();
  _editor.stepHistory(step, _history.size(), [this](std::size_t i) { return _history[i]; });
  showLine();
}

void MainLayer::historyUp() { stepHistory(+1); }

void MainLayer::historyDown() { stepHistory(-1); }
