#include "screens/HistoryPrefetch.h"

#include <thread>

#include "cocos/services/store/UserDefault.h"
#include "engine/PreferenceSource.h"
#include "screens/StorePreferences.h"
#include "screens/SettingsVocabulary.h"

namespace {

// A hand-edited store may announce any count; reading stops here so that start-up stays fast
// and small. Twenty entries is all the program ever writes.
constexpr int kMaxHistoryEntriesRead = 10000;

struct Prefetch {
  std::thread worker;
  std::vector<std::shared_ptr<const std::string>> history;
  bool ready = false;
};

Prefetch& prefetch() {
  static Prefetch p;
  return p;
}

}  // namespace

std::vector<std::shared_ptr<const std::string>> readStoredHistory() {
  cocos2d::UserDefault* store = cocos2d::UserDefault::getInstance();
  int count = store->getIntegerForKey(kKeyHistoryCount, kDefaultHistoryCount);
  if (count > kMaxHistoryEntriesRead) count = kMaxHistoryEntriesRead;
  std::vector<std::shared_ptr<const std::string>> entries;
  entries.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
  for (int i = 0; i < count; ++i) {
    entries.push_back(std::make_shared<const std::string>(store->getStringForKey(histStringKey(i).c_str())));
  }
  return entries;
}

void startStorePrefetch() {
  Prefetch& p = prefetch();
  if (p.worker.joinable()) return;
  p.ready = false;
  // The store is single-threaded: this thread owns it until finishStorePrefetch joins it.
  p.worker = std::thread([&p] {
    p.history = readStoredHistory();
    p.ready = true;
  });
}

void finishStorePrefetch() {
  Prefetch& p = prefetch();
  if (!p.worker.joinable()) return;
  p.worker.join();
  setPreferenceSource(storePreferences());
}

bool takePrefetchedHistory(std::vector<std::shared_ptr<const std::string>>& entries) {
  Prefetch& p = prefetch();
  if (p.worker.joinable() || !p.ready) return false;
  entries = std::move(p.history);
  p.history.clear();
  p.ready = false;
  return true;
}
