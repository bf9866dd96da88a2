#include "cocos/backend/sdl/UrlOpener.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace cocos2d::backend::sdl {
namespace {

// Closes every descriptor from 3 up. Runs between fork and exec, so it uses system calls
// only (no allocation, no locks).
void closeInheritedDescriptors() {
#if defined(SYS_close_range)
  if (syscall(SYS_close_range, 3u, ~0u, 0u) == 0) return;
#endif
  long last = sysconf(_SC_OPEN_MAX);
  if (last < 0 || last > 65536) last = 65536;
  for (int fd = 3; fd < last; ++fd) close(fd);
}

}  // namespace

bool openWithDesktopOpener(const std::string& url, const char* opener) {
  // The arguments are prepared before forking: the child may only make system calls.
  const char* const argv[] = {opener, url.c_str(), nullptr};
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    // The opener runs as a grandchild that nobody waits for, so that a browser which keeps
    // the opener alive never leaves a zombie or blocks the calculator.
    closeInheritedDescriptors();
    setsid();
    const pid_t grandchild = fork();
    if (grandchild == 0) {
      execvp(opener, const_cast<char* const*>(argv));
      _exit(127);
    }
    _exit(grandchild < 0 ? 1 : 0);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace cocos2d::backend::sdl
