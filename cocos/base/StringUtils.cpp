#include "cocos/base/StringUtils.h"

#include <cstdarg>
#include <cstdio>

namespace cocos2d {
namespace StringUtils {

std::string format(const char* fmt, ...) {
  if (fmt == nullptr) return std::string();

  // The first pass only measures; the arguments are consumed twice, hence the copy.
  va_list args;
  va_start(args, fmt);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, fmt, args);
  va_end(args);

  std::string out;
  if (length > 0) {
    // vsnprintf writes a terminating NUL, so give it room for one past the end.
    out.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(&out[0], out.size(), fmt, again);
    out.resize(static_cast<size_t>(length));
  }
  va_end(again);
  return out;
}

}  // namespace StringUtils
}  // namespace cocos2d
