#include "cocos/backend/sdl/FontMatcher.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <initializer_list>
#include <memory>

namespace cocos2d::backend::sdl {
namespace {

std::string lowerCase(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Families whose advance widths the screens' layout was made with, and the installed
// faces with identical metrics (fontconfig's own aliases usually pick these already).
struct MetricAlias {
  const char* family;
  std::initializer_list<const char*> substitutes;
};
const MetricAlias kMetricAliases[] = {
    {"arial", {"Liberation Sans", "Arimo"}},
    {"helvetica", {"Liberation Sans", "Arimo"}},
    {"times new roman", {"Liberation Serif", "Tinos"}},
    {"courier new", {"Liberation Mono", "Cousine"}},
};

// A character every face for the language must have; used to reject a face that
// fontconfig chose for its name but that cannot show the script.
char32_t probeFor(const std::string& language) {
  const std::string lang = lowerCase(language.substr(0, 2));
  if (lang == "ja" || lang == "zh") return 0x65E5;  // 日
  if (lang == "ko") return 0xD55C;                  // 한
  return 0;
}

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

Pattern makePattern(const std::string& family, const std::string& language, char32_t codepoint) {
  Pattern pattern(FcPatternCreate());
  if (!pattern) return nullptr;
  if (!family.empty()) FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  if (!language.empty()) FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>(language.c_str()));
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  if (codepoint != 0) {
    FcCharSet* chars = FcCharSetCreate();
    FcCharSetAddChar(chars, codepoint);
    FcPatternAddCharSet(pattern.get(), FC_CHARSET, chars);
    FcCharSetDestroy(chars);
  }
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  return pattern;
}

bool patternCovers(FcPattern* pattern, char32_t codepoint) {
  FcCharSet* chars = nullptr;
  return FcPatternGetCharSet(pattern, FC_CHARSET, 0, &chars) == FcResultMatch && FcCharSetHasChar(chars, codepoint);
}

std::optional<FaceLocation> locationOf(FcPattern* pattern) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch || !file) return std::nullopt;
  FaceLocation location;
  location.path = reinterpret_cast<const char*>(file);
  int index = 0;
  if (FcPatternGetInteger(pattern, FC_INDEX, 0, &index) == FcResultMatch) location.index = index;
  FcChar8* family = nullptr;
  if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) == FcResultMatch && family) {
    location.family = reinterpret_cast<const char*>(family);
  }
  return location;
}

// The best face for the request, and whether it has `mustHave` (when not 0).
std::optional<FaceLocation> bestMatch(const std::string& family, const std::string& language, char32_t wanted,
                                      char32_t mustHave) {
  Pattern pattern = makePattern(family, language, wanted);
  if (!pattern) return std::nullopt;
  FcResult result = FcResultNoMatch;
  Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match) return std::nullopt;
  if (mustHave != 0 && !patternCovers(match.get(), mustHave)) return std::nullopt;
  return locationOf(match.get());
}

}  // namespace

bool FontMatcher::ready() {
  if (!_initialised && !_failed) {
    // Loading the configuration reads fontconfig's caches: tens of milliseconds cold,
    // which is why nothing asks for a font before the window is up.
    _failed = !FcInit();
    _initialised = !_failed;
    if (_failed) std::fprintf(stderr, "pemtrix: fontconfig could not be initialised; no text will be shown\n");
  }
  return _initialised;
}

std::optional<FaceLocation> FontMatcher::matchFamily(const std::string& family, const std::string& language) {
  if (!ready()) return std::nullopt;
  std::optional<FaceLocation> face = bestMatch(family, language, 0, 0);
  const std::string wanted = lowerCase(family);
  for (const MetricAlias& alias : kMetricAliases) {
    if (wanted != alias.family) continue;
    // The layout was measured with this family's widths: keep them whatever the language,
    // and let characters the face lacks come from the fallback faces.
    const auto acceptable = [&alias, &wanted](const std::string& got) {
      const std::string g = lowerCase(got);
      return g == wanted || std::any_of(alias.substitutes.begin(), alias.substitutes.end(),
                                        [&g](const char* s) { return g == lowerCase(s); });
    };
    if (face && acceptable(face->family)) return face;
    for (const char* substitute : alias.substitutes) {
      std::optional<FaceLocation> candidate = bestMatch(substitute, language, 0, 0);
      if (candidate && acceptable(candidate->family)) {
        face = std::move(candidate);
        break;
      }
    }
    return face;
  }
  if (const char32_t probe = probeFor(language); probe != 0 && face && !covers(*face, probe)) {
    if (std::optional<FaceLocation> scripted = bestMatch(family, language, probe, probe)) face = std::move(scripted);
  }
  return face;
}

std::optional<FaceLocation> FontMatcher::matchCodepoint(const std::string& family, const std::string& language,
                                                        char32_t codepoint) {
  if (!ready()) return std::nullopt;
  // Coverage of the requested characters outranks the family in fontconfig's scoring, so
  // one match finds a face that has the character whenever one is installed.
  return bestMatch(family, language, codepoint, codepoint);
}

bool FontMatcher::covers(const FaceLocation& face, char32_t codepoint) {
  if (!ready()) return false;
  Pattern pattern(FcPatternCreate());
  if (!pattern) return false;
  FcPatternAddString(pattern.get(), FC_FILE, reinterpret_cast<const FcChar8*>(face.path.c_str()));
  FcPatternAddInteger(pattern.get(), FC_INDEX, face.index);
  FcObjectSet* objects = FcObjectSetBuild(FC_CHARSET, nullptr);
  FcFontSet* fonts = FcFontList(nullptr, pattern.get(), objects);
  FcObjectSetDestroy(objects);
  bool found = false;
  if (fonts) {
    for (int i = 0; i < fonts->nfont && !found; ++i) found = patternCovers(fonts->fonts[i], codepoint);
    FcFontSetDestroy(fonts);
  }
  return found;
}

}  // namespace cocos2d::backend::sdl
