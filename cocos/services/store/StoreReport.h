// How the store tells the user what went wrong: one line on standard error, the only channel
// it has, since it reports no errors to the program.
#pragma once

#include <cstdio>
#include <string>

namespace cocos2d {
namespace storage {

inline void sayOnStderr(const std::string& line) {
  std::fprintf(stderr, "pemtrix: %s\n", line.c_str());
}

}  // namespace storage
}  // namespace cocos2d
