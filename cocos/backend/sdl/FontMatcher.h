// Finds font files through fontconfig: the face for a family name such as "Arial" (making
// sure it is a metric-compatible one when the family itself is not installed), and a face
// that has a given character when the chosen face lacks it.
#pragma once

#include <optional>
#include <string>

namespace cocos2d::backend::sdl {

struct FaceLocation {
  std::string path;
  int index = 0;  // face index within a collection file
  std::string family;
};

class FontMatcher {
 public:
  // Resolves `family` for `language` ("ja", "en"; may be empty). Families whose metrics the
  // layout depends on resolve to a metric-compatible substitute when fontconfig's choice is
  // some other face; CJK languages resolve to a face that can show that script.
  std::optional<FaceLocation> matchFamily(const std::string& family, const std::string& language);

  // A scalable face that has `codepoint`, preferring `family` and `language`.
  std::optional<FaceLocation> matchCodepoint(const std::string& family, const std::string& language,
                                             char32_t codepoint);

 private:
  // Whether the face's character map covers `codepoint`, as fontconfig knows it.
  bool covers(const FaceLocation& face, char32_t codepoint);
  bool ready();
  bool _initialised = false;
  bool _failed = false;
};

}  // namespace cocos2d::backend::sdl
