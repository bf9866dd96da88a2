// printf-style formatting into a std::string of whatever length the output needs.
#pragma once

#include <string>

#if defined(__GNUC__) || defined(__clang__)
#define PEMTRIX_PRINTF_FORMAT(fmtIndex, firstArg) __attribute__((format(printf, fmtIndex, firstArg)))
#else
#define PEMTRIX_PRINTF_FORMAT(fmtIndex, firstArg)
#endif

namespace cocos2d {
namespace StringUtils {

// Formats as vsnprintf would, without any length limit. A null format or an encoding error
// gives an empty string.
std::string format(const char* fmt, ...) PEMTRIX_PRINTF_FORMAT(1, 2);

}  // namespace StringUtils
}  // namespace cocos2d
