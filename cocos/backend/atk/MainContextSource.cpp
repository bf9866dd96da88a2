#include "cocos/backend/atk/MainContextSource.h"

namespace cocos2d::accessibility::atk {

MainContextSource::MainContextSource() : _context(g_main_context_default()), _fds(8) {
  _owned = g_main_context_acquire(_context) != FALSE;
}

MainContextSource::~MainContextSource() {
  if (_owned) g_main_context_release(_context);
}

int MainContextSource::prepareWait(std::vector<backend::WaitDescriptor>& descriptors) {
  if (!_owned) return -1;
  // A source that is ready now (buffered bus messages, an idle callback) must not wait.
  const bool ready = g_main_context_prepare(_context, &_priority) != FALSE;
  gint timeout = -1;
  _count = g_main_context_query(_context, _priority, &timeout, _fds.data(), static_cast<gint>(_fds.size()));
  if (_count > static_cast<gint>(_fds.size())) {
    _fds.resize(static_cast<std::size_t>(_count));
    _count = g_main_context_query(_context, _priority, &timeout, _fds.data(), static_cast<gint>(_fds.size()));
  }
  for (gint i = 0; i < _count; ++i) {
    const GPollFD& fd = _fds[static_cast<std::size_t>(i)];
    descriptors.push_back(backend::WaitDescriptor{fd.fd, static_cast<short>(fd.events), 0});
  }
  _prepared = true;
  return ready ? 0 : timeout;
}

void MainContextSource::finishWait(const backend::WaitDescriptor* descriptors, std::size_t count) {
  if (!_prepared) return;
  _prepared = false;
  for (gint i = 0; i < _count; ++i) {
    const auto index = static_cast<std::size_t>(i);
    _fds[index].revents = index < count ? static_cast<gushort>(descriptors[index].revents) : 0;
  }
  if (g_main_context_check(_context, _priority, _fds.data(), _count)) g_main_context_dispatch(_context);
}

}  // namespace cocos2d::accessibility::atk
