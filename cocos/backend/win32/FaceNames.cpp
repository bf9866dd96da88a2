#include "cocos/backend/win32/FaceNames.h"

#include <cwctype>
#include <initializer_list>

namespace cocos2d::backend::win32 {
namespace {

std::wstring lowerCase(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return s;
}

struct Substitutes {
  const wchar_t* family;  // lower case
  bool sameMetrics;
  std::initializer_list<const wchar_t*> faces;
};

// Windows has the first family of each row; Wine and systems without it find the faces of
// the free font packages.
const Substitutes kSubstitutes[] = {
    {L"arial", true, {L"Liberation Sans", L"Arimo"}},
    {L"helvetica", true, {L"Arial", L"Liberation Sans", L"Arimo"}},
    {L"times new roman", true, {L"Liberation Serif", L"Tinos"}},
    {L"courier new", true, {L"Liberation Mono", L"Cousine"}},
    {L"meiryo",
     false,
     {L"Meiryo UI", L"Yu Gothic UI", L"Yu Gothic", L"MS UI Gothic", L"MS PGothic", L"IPAPGothic", L"IPAGothic",
      L"Noto Sans CJK JP", L"Noto Sans JP", L"TakaoPGothic", L"VL PGothic", L"Droid Sans Japanese"}},
};

const Substitutes* substitutesOf(const std::wstring& family) {
  const std::wstring wanted = lowerCase(family);
  for (const Substitutes& s : kSubstitutes) {
    if (wanted == s.family) return &s;
  }
  return nullptr;
}

struct ScriptFaces {
  const char* language;
  wchar_t probe;
  std::initializer_list<const wchar_t*> faces;
};

const ScriptFaces kScripts[] = {
    {"ja", 0x65E5,  // 日
     {L"Meiryo", L"Yu Gothic UI", L"Yu Gothic", L"MS UI Gothic", L"MS PGothic", L"MS Gothic", L"IPAPGothic",
      L"IPAGothic", L"Noto Sans CJK JP", L"Noto Sans JP", L"TakaoPGothic", L"VL PGothic", L"Droid Sans Japanese"}},
    {"zh", 0x65E5,
     {L"Microsoft YaHei UI", L"Microsoft YaHei", L"Microsoft JhengHei", L"SimSun", L"Noto Sans CJK SC",
      L"WenQuanYi Zen Hei", L"AR PL UMing CN"}},
    {"ko", 0xD55C,  // 한
     {L"Malgun Gothic", L"Gulim", L"Noto Sans CJK KR", L"UnDotum", L"NanumGothic"}},
};

// Faces with many scripts and symbols, for whatever the script faces lack.
const std::initializer_list<const wchar_t*> kWideFaces = {
    L"Segoe UI", L"Segoe UI Symbol", L"Arial Unicode MS", L"Tahoma", L"Microsoft Sans Serif", L"Nirmala UI",
    L"Leelawadee UI", L"Ebrima", L"Gadugi", L"Liberation Sans", L"DejaVu Sans", L"Noto Sans", L"FreeSans",
    L"Noto Sans Symbols", L"Noto Sans Symbols2", L"Symbola",
};

const ScriptFaces* scriptOf(const std::string& language) {
  const std::string code = language.substr(0, 2);
  for (const ScriptFaces& s : kScripts) {
    if (code == s.language) return &s;
  }
  return nullptr;
}

}  // namespace

std::vector<std::wstring> substituteFaces(const std::wstring& family) {
  const Substitutes* s = substitutesOf(family);
  if (!s) return {};
  return {s->faces.begin(), s->faces.end()};
}

bool isMetricFamily(const std::wstring& family) {
  const Substitutes* s = substitutesOf(family);
  return s && s->sameMetrics;
}

std::vector<std::wstring> fallbackFaces(const std::string& language) {
  // Characters missing from a Latin face are most often kanji: without a language of its own,
  // Japanese forms come first, as on Linux.
  const ScriptFaces* first = scriptOf(language);
  if (!first) first = scriptOf("ja");
  std::vector<std::wstring> faces(first->faces.begin(), first->faces.end());
  for (const ScriptFaces& s : kScripts) {
    if (&s != first) faces.insert(faces.end(), s.faces.begin(), s.faces.end());
  }
  faces.insert(faces.end(), kWideFaces.begin(), kWideFaces.end());
  return faces;
}

wchar_t scriptProbe(const std::string& language) {
  const ScriptFaces* s = scriptOf(language);
  return s ? s->probe : 0;
}

}  // namespace cocos2d::backend::win32
