#include <gtest/gtest.h>

#include <string>

#include "cocos/backend/sdl/SdlBackend.h"

namespace {

using cocos2d::backend::FontId;
using cocos2d::backend::sdl::SdlBackend;

float width(SdlBackend& b, FontId font, float size, const std::u32string& text) {
  float w = 0;
  for (const char32_t c : text) w += b.text().glyphAdvance(font, size, c);
  return w;
}

// Fonts need no window: the core may measure before it opens one.
class FontTest : public testing::Test {
 protected:
  SdlBackend _backend;
};

TEST_F(FontTest, ArialKeepsItsLatinMetricsWhateverTheLanguage) {
  const FontId arial = _backend.text().openFont("Arial", "en");
  EXPECT_EQ(_backend.text().openFont("Arial", "en"), arial);  // the same request, the same font
  // Even when the language asks for Japanese, the Latin family keeps its metrics.
  const FontId arialJa = _backend.text().openFont("Arial", "ja");
  EXPECT_EQ(width(_backend, arialJa, 48, U"sin(30)=0.5"), width(_backend, arial, 48, U"sin(30)=0.5"));
}

TEST_F(FontTest, MeiryoForJapaneseShowsJapaneseFullWidth) {
  const FontId meiryo = _backend.text().openFont("Meiryo", "ja");
  for (const char32_t c : {U'\u65E5', U'\u672C'}) {  // 日本
    EXPECT_NEAR(_backend.text().glyphAdvance(meiryo, 48, c), 48.0f, 1.0f) << static_cast<unsigned>(c);
  }
}

TEST_F(FontTest, AdvancesAreExactlyProportionalToTheSize) {
  const FontId arial = _backend.text().openFont("Arial", "en");
  const FontId meiryo = _backend.text().openFont("Meiryo", "ja");
  for (const FontId font : {arial, meiryo}) {
    for (const char32_t c : {U'H', U'e', U'l', U'1', U'.', U' ', U'\u65E5', U'\u3010'}) {
      const float at24 = _backend.text().glyphAdvance(font, 24, c);
      EXPECT_GT(at24, 0) << static_cast<unsigned>(c);
      EXPECT_EQ(_backend.text().glyphAdvance(font, 48, c), 2 * at24) << static_cast<unsigned>(c);
      EXPECT_FLOAT_EQ(_backend.text().glyphAdvance(font, 28.8f, c), 1.2f * at24) << static_cast<unsigned>(c);
    }
  }
  const auto m24 = _backend.text().fontMetrics(arial, 24), m48 = _backend.text().fontMetrics(arial, 48);
  EXPECT_EQ(m48.ascent, 2 * m24.ascent);
  EXPECT_EQ(m48.descent, 2 * m24.descent);
  EXPECT_EQ(m48.lineHeight, 2 * m24.lineHeight);
}

TEST_F(FontTest, LiberationSansMetricsMatchArial) {
  const FontId arial = _backend.text().openFont("Arial", "en");
  // H .722 + e .556 + l .222 + l .222 + o .556 em, at 48.
  EXPECT_NEAR(width(_backend, arial, 48, U"Hello"), 109.3f, 109.3f * 0.02f);
  EXPECT_NEAR(width(_backend, arial, 100, U"0123456789"), 556.2f, 0.5f);  // tabular digits
  const auto m = _backend.text().fontMetrics(arial, 100);
  EXPECT_NEAR(m.ascent, 90.5f, 0.5f);
  EXPECT_NEAR(m.descent, 21.2f, 0.5f);
  EXPECT_NEAR(m.lineHeight, 115.0f, 0.5f);
}

TEST_F(FontTest, MeasuringDoesNotDependOnTheWindow) {
  const FontId arial = _backend.text().openFont("Arial", "en");
  const float before = width(_backend, arial, 48, U"sin(30)=0.5");
  cocos2d::backend::WindowOptions options;
  options.headless = true;
  ASSERT_TRUE(_backend.window().openWindow(options));
  EXPECT_EQ(width(_backend, arial, 48, U"sin(30)=0.5"), before);
}

TEST_F(FontTest, CharactersMissingFromTheFaceComeFromAJapaneseFace) {
  const FontId arial = _backend.text().openFont("Arial", "en");
  for (const char32_t c : {U'\u65E5', U'\u672C', U'\u8A9E', U'\u3010', U'\u3011'}) {  // 日本語【】
    // Full-width in any Japanese face: one em.
    EXPECT_NEAR(_backend.text().glyphAdvance(arial, 48, c), 48.0f, 1.0f) << static_cast<unsigned>(c);
  }
  // Latin letters keep coming from the primary face.
  EXPECT_NEAR(_backend.text().glyphAdvance(arial, 48, U'H'), 0.722f * 48, 0.05f);
}

TEST_F(FontTest, UnknownFamiliesStillShowText) {
  const FontId font = _backend.text().openFont("No Such Family Anywhere", "en");
  EXPECT_GT(_backend.text().glyphAdvance(font, 48, U'A'), 0);
  EXPECT_GT(_backend.text().fontMetrics(font, 48).lineHeight, 0);
  EXPECT_EQ(_backend.text().glyphAdvance(0, 48, U'A'), 0);  // no font: nothing to measure
  EXPECT_EQ(_backend.text().fontMetrics(999, 48).lineHeight, 0);
}

}  // namespace
