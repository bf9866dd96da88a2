#include "screens/HistoryPrefetch.h"

#include <future>
#include <thread>

#include "cocos/services/store/UserDefault.h"
#include "engine/PreferenceSource.h"
#include "screens/StorePreferences.h"
#include "screens/SettingsVocabulary.h"

namespace {

// A hand-edited store may announce any count; reading stops here so that start-up stays fast
// and small. Twenty entries is all the program ever writes.
constexpr int kMaxHistoryEntriesRead = 10000;

struct WindowSize {
  int width = 0, height = 0;
};

struct Prefetch {
  std::thread worker;
  std::vector<std::shared_ptr<const std::string>> history;
  bool ready = false;
  // Handed over as soon as it is read: the window waits for it, not for the history.
  std::future<WindowSize> windowSize;
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

namespace {

void startPrefetch(bool withWindowSize) {
  Prefetch& p = prefetch();
  if (p.worker.joinable()) return;
  p.ready = false;
  std::promise<WindowSize> windowSize;
  p.windowSize = withWindowSize ? windowSize.get_future() : std::future<WindowSize>();
  // The store is single-threaded: this thread owns it until finishStorePrefetch joins it.
  p.worker = std::thread([&p, withWindowSize, windowSize = std::move(windowSize)]() mutable {
    if (withWindowSize) {
      cocos2d::UserDefault* store = cocos2d::UserDefault::getInstance();
      WindowSize size;
      size.width = store->getIntegerForKey(kKeyWindowWidth, 0);
      size.height = store->getIntegerForKey(kKeyWindowHeight, 0);
      windowSize.set_value(size);
    }
    p.history = readStoredHistory();
    p.ready = true;
  });
}

}  // namespace

void startStorePrefetch() { startPrefetch(false); }

void startStorePrefetchWithWindowSize() { startPrefetch(true); }

bool takePrefetchedWindowSize(int& width, int& height) {
  Prefetch& p = prefetch();
  if (!p.windowSize.valid()) return false;
  const WindowSize size = p.windowSize.get();
  width = size.width;
  height = size.height;
  return width != 0 || height != 0;
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
