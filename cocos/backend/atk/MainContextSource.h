// Serves GLib's default main context (where the AT-SPI bridge's bus connection lives) from the
// engine's own wait for input: before the loop sleeps, the context's descriptors and timeout
// join the wait; after it, whatever became ready is dispatched, on the main thread. Nothing is
// polled on a timer of its own, so an idle program sleeps until the bus has something for it.
#pragma once

#include <glib.h>

#include <vector>

#include "cocos/backend/Window.h"

namespace cocos2d::accessibility::atk {

class MainContextSource final : public backend::WaitSource {
 public:
  // Takes ownership of the default context for this thread until destroyed.
  MainContextSource();
  ~MainContextSource() override;
  MainContextSource(const MainContextSource&) = delete;
  MainContextSource& operator=(const MainContextSource&) = delete;

  int prepareWait(std::vector<backend::WaitDescriptor>& descriptors) override;
  void finishWait(const backend::WaitDescriptor* descriptors, std::size_t count) override;

 private:
  GMainContext* _context;
  bool _owned = false;
  bool _prepared = false;
  gint _priority = 0;
  gint _count = 0;
  std::vector<GPollFD> _fds;
};

}  // namespace cocos2d::accessibility::atk
