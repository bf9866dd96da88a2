#include "cocos/services/store/StoreValue.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace cocos2d {
namespace storage {
namespace {

int clampToInt(std::int64_t v) {
  return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

// Out-of-range values clamp and NaN gives 0, where a plain cast would be undefined behaviour.
int realToInt(double d) {
  if (std::isnan(d)) return 0;
  if (d >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (d <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(d);
}

}  // namespace

int atoiBytes(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long magnitude = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9' && magnitude < limit; ++i) {
    magnitude = std::min(limit, magnitude * 10 + (s[i] - '0'));
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

int integerOf(const Value& v) {
  switch (v.kind) {
    case Value::Kind::Integer: return clampToInt(v.integer);
    case Value::Kind::Real: return realToInt(v.real);
    case Value::Kind::Bytes: break;
  }
  return atoiBytes(v.bytes);
}

std::string textOf(const Value& v) {
  switch (v.kind) {
    case Value::Kind::Integer: return std::to_string(v.integer);
    case Value::Kind::Real: {
      char text[40] = {};
      std::snprintf(text, sizeof text, "%.17g", v.real);
      return text;
    }
    case Value::Kind::Bytes: break;
  }
  return v.bytes;
}

}  // namespace storage
}  // namespace cocos2d
