// Which installed faces stand in for a family and supply the characters a face lacks: the
// faces with the same advance widths as the families the layout was measured with, a Japanese
// face for Meiryo where it is missing, and the faces that have each script. Data alone; GDI
// is asked which of them are installed (GdiFonts).
#pragma once

#include <string>
#include <vector>

namespace cocos2d::backend::win32 {

// Faces to try, in order, for `family` when it is not installed itself: those with its
// metrics, or of its script and style; empty when any face will do.
std::vector<std::wstring> substituteFaces(const std::wstring& family);

// Whether the layout depends on the family's advance widths: its substitutes must have the
// same ones, and its text keeps them whatever the language.
bool isMetricFamily(const std::wstring& family);

// Faces to look in for a character the chosen ones lack, for text in `language` ("ja", "zh",
// "ko", "en" ...): faces of the language's script first, so that kanji shared with Chinese take
// their Japanese forms unless the language is Chinese, then faces with wide coverage.
std::vector<std::wstring> fallbackFaces(const std::string& language);

// A character every face for the language must have (0 when any face will do): a face chosen
// for its name that cannot show the script is passed over.
wchar_t scriptProbe(const std::string& language);

}  // namespace cocos2d::backend::win32
