// A value of the key/value store as a backing holds it, and the conversions every backing
// shares: integer reads of text as atoi would give them, text reads of numbers in decimal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cocos2d {
namespace storage {

// An integer or a byte string; reals only come from a file another program wrote.
struct Value {
  enum class Kind { Integer, Real, Bytes };
  Kind kind = Kind::Bytes;
  std::int64_t integer = 0;
  double real = 0;
  std::string bytes;

  static Value ofInteger(std::int64_t v) { return Value{Kind::Integer, v, 0, std::string()}; }
  static Value ofReal(double v) { return Value{Kind::Real, 0, v, std::string()}; }
  static Value ofBytes(std::string v) { return Value{Kind::Bytes, 0, 0, std::move(v)}; }
};

// What atoi gives for these bytes: leading white space, an optional sign, then digits up to
// the first non-digit. atoi overflows into undefined behaviour; this saturates instead.
int atoiBytes(std::string_view s);

// Clamped to the int range; reals truncate toward zero and NaN gives 0.
int integerOf(const Value& v);
// Integers in decimal, reals as "%.17g", bytes as they are.
std::string textOf(const Value& v);

}  // namespace storage
}  // namespace cocos2d
