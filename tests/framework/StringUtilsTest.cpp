// printf-style formatting into strings of any length.
#include "cocos/base/StringUtils.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using cocos2d::StringUtils::format;

TEST(StringUtilsFormat, MatchesPrintf) {
  EXPECT_EQ(format("%.15g", 0.1 + 0.2), "0.3");
  EXPECT_EQ(format("%.17g", 0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(format("%d|%s|%c|%5.1f", -12, "ab", 'z', 2.25), "-12|ab|z|  2.2");
  EXPECT_EQ(format("100%%"), "100%");
  EXPECT_EQ(format("%s", ""), "");
  EXPECT_EQ(format(nullptr), "");
}

TEST(StringUtilsFormat, LongOutputIsNotTruncated) {
  for (size_t length : {255u, 256u, 1023u, 1024u, 10000u, 1000000u}) {
    const std::string text(length, 'x');
    const std::string out = format("<%s>%d", text.c_str(), 7);
    EXPECT_EQ(out.size(), length + 3);
    EXPECT_EQ(out, "<" + text + ">7");
  }
}

}  // namespace
