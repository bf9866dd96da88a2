// SdlWindow's wait for input: one poll() over the display connection and the descriptors of
// the other wait sources, so that the program sleeps until something arrives.
#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <cerrno>
#include <vector>

#include "cocos/backend/sdl/SdlWindow.h"

namespace cocos2d::backend::sdl {

int SdlWindow::displayDescriptor() {
  if (_displayFd == kUnknownDescriptor) {
    _displayFd = -1;
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (_window && SDL_GetWindowWMInfo(_window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
      _displayFd = ConnectionNumber(info.info.x11.display);
    }
#endif
  }
  return _displayFd;
}

void SdlWindow::waitForEvent(int timeoutMilliseconds) {
  // Events already read from the display are waiting in SDL's queue: no sleep then. Pumping
  // first also empties the display library's own queue, so that poll() sees every new event.
  if (_sdlStarted) {
    SDL_PumpEvents();
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) timeoutMilliseconds = 0;
  }
  std::vector<WaitDescriptor> descriptors;
  const int display = _sdlStarted ? displayDescriptor() : -1;
  if (display >= 0) descriptors.push_back(WaitDescriptor{display, POLLIN, 0});
  const std::vector<WaitSource*> sources = waitSources();
  std::vector<std::size_t> firsts;
  for (WaitSource* source : sources) {
    firsts.push_back(descriptors.size());
    const int limit = source->prepareWait(descriptors);
    if (limit >= 0 && (timeoutMilliseconds < 0 || limit < timeoutMilliseconds)) timeoutMilliseconds = limit;
  }
  if (_sdlStarted && display < 0 && !_headless) {
    // A display that gives no descriptor (not X11): SDL's own wait, in short steps while
    // other sources need serving.
    int step = timeoutMilliseconds;
    if (!sources.empty() && (step < 0 || step > 10)) step = 10;
    SDL_WaitEventTimeout(nullptr, step);
  } else {
    std::vector<pollfd> fds(descriptors.size());
    for (std::size_t i = 0; i < descriptors.size(); ++i) fds[i] = pollfd{descriptors[i].fd, descriptors[i].events, 0};
    // Without a display (offscreen) and without sources nothing can arrive: a bounded sleep.
    if (fds.empty() && timeoutMilliseconds < 0) timeoutMilliseconds = 1000;
    int rc;
    do {
      rc = poll(fds.data(), fds.size(), timeoutMilliseconds);
    } while (rc < 0 && errno == EINTR && timeoutMilliseconds < 0);
    for (std::size_t i = 0; i < descriptors.size(); ++i) descriptors[i].revents = rc > 0 ? fds[i].revents : 0;
  }
  for (std::size_t s = 0; s < sources.size(); ++s) {
    const std::size_t first = firsts[s];
    const std::size_t end = s + 1 < sources.size() ? firsts[s + 1] : descriptors.size();
    sources[s]->finishWait(descriptors.data() + first, end - first);
  }
}

}  // namespace cocos2d::backend::sdl
