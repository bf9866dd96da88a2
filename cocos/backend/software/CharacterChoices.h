// What a font decided for each character (the face that draws it, its advance), kept so that
// every character is decided once: a flat table below U+3000, where nearly all text lies,
// filled on first use, and a map above it.
#pragma once

#include <unordered_map>
#include <vector>

namespace cocos2d::backend::software {

template <typename Choice>
class CharacterChoices {
 public:
  // The slot of `codepoint`, value-initialised until the caller fills it.
  Choice& operator[](char32_t codepoint) {
    if (codepoint < kLowLimit) {
      if (_low.empty()) _low.resize(kLowLimit);
      return _low[codepoint];
    }
    return _high[codepoint];
  }

 private:
  static constexpr char32_t kLowLimit = 0x3000;
  std::vector<Choice> _low;
  std::unordered_map<char32_t, Choice> _high;
};

}  // namespace cocos2d::backend::software
