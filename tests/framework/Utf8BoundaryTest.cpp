// Character boundaries of UTF-8 byte strings, which the expression line steps over: they must
// split a string exactly where decoding splits it into code points.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cocos/base/Utf8.h"

namespace {

using cocos2d::countUtf8CodePoints;
using cocos2d::nextUtf8Boundary;
using cocos2d::previousUtf8Boundary;
using cocos2d::utf8BoundaryAtOrAfter;
using cocos2d::utf8BoundaryAtOrBefore;

struct Case {
  std::string bytes;
  std::vector<std::size_t> boundaries;  // every boundary, 0 and size included
};

const std::vector<Case>& cases() {
  static const std::vector<Case> table = {
      {"", {0}},
      {"1+2", {0, 1, 2, 3}},
      {"\xCF\x80\xC3\x97" "2\xC3\xA9", {0, 2, 4, 5, 7}},           // pi, times, 2, e-acute
      {"\xE6\x97\xA5" "a", {0, 3, 4}},                              // a Japanese character
      {"\xF0\x9F\x98\x80", {0, 4}},                                 // outside the BMP
      {"\x80\x80", {0, 1, 2}},                                      // lone continuation bytes
      {"\xC3" "a", {0, 1, 2}},                                      // truncated, then ASCII
      {"\xC3\xA9\xA9", {0, 2, 3}},                                  // one continuation too many
      {"\xE2\x82\xAC\x82", {0, 3, 4}},                              // euro sign, stray byte
      {"\xE2\x82", {0, 1, 2}},                                      // truncated at the end
      {"\xC0\xAF", {0, 1, 2}},                                      // overlong
      {"\xED\xA0\x80", {0, 1, 2, 3}},                               // a surrogate
      {"\xF4\x90\x80\x80", {0, 1, 2, 3, 4}},                        // above U+10FFFF
      {"\xFF\xC3\xA9\xFE", {0, 1, 3, 4}},
      {"\x80\x80\x80\xE6\x97\xA5\x80", {0, 1, 2, 3, 6, 7}},
  };
  return table;
}

TEST(Utf8Boundaries, StepForwardAndBackOverWholeCharacters) {
  for (const Case& c : cases()) {
    ASSERT_EQ(c.boundaries.size() - 1, countUtf8CodePoints(c.bytes)) << c.bytes;
    for (std::size_t k = 0; k + 1 < c.boundaries.size(); ++k) {
      EXPECT_EQ(nextUtf8Boundary(c.bytes, c.boundaries[k]), c.boundaries[k + 1]) << c.bytes << " @" << k;
      EXPECT_EQ(previousUtf8Boundary(c.bytes, c.boundaries[k + 1]), c.boundaries[k]) << c.bytes << " @" << k;
    }
    EXPECT_EQ(nextUtf8Boundary(c.bytes, c.bytes.size()), c.bytes.size());
    EXPECT_EQ(previousUtf8Boundary(c.bytes, 0), 0u);
  }
}

TEST(Utf8Boundaries, IndexesInsideACharacterSnapToItsEnds) {
  for (const Case& c : cases()) {
    for (std::size_t k = 0; k + 1 < c.boundaries.size(); ++k) {
      for (std::size_t i = c.boundaries[k]; i < c.boundaries[k + 1]; ++i) {
        const bool atStart = i == c.boundaries[k];
        EXPECT_EQ(utf8BoundaryAtOrBefore(c.bytes, i), c.boundaries[k]) << c.bytes << " @" << i;
        EXPECT_EQ(utf8BoundaryAtOrAfter(c.bytes, i), atStart ? i : c.boundaries[k + 1]) << c.bytes << " @" << i;
      }
    }
    EXPECT_EQ(utf8BoundaryAtOrAfter(c.bytes, c.bytes.size()), c.bytes.size());
  }
}

}  // namespace
