// Labels: measurement from the font metrics, line alignment, wrapping, decoding of any bytes,
// colour, and drawing only the glyphs that can be seen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/FrameworkTestSupport.h"

namespace pemtrix_test {
namespace {

using Kind = FakeBackend::Call::Kind;

class CoreLabel : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    scene = runScene();
  }

  // A label with its bottom-left corner at the origin, drawn once; its glyph calls remain.
  Label* drawn(const std::string& text, float size, TextHAlignment align = TextHAlignment::LEFT) {
    Label* label = Label::createWithSystemFont(text, "Arial", size, Size::ZERO, align);
    label->setAnchorPoint(Vec2::ZERO);
    scene->addChild(label);
    fake->drawing().clearCalls();
    director()->drawFrame(true);
    return label;
  }

  Scene* scene = nullptr;
};

// The recording backend's font: every advance is 0.5 x size, lines are 1.15 x size apart.

TEST_F(CoreLabel, ContentSizeComesFromTheFontMetrics) {
  struct Case {
    const char* text;
    float size;
    Size expected;
  };
  const Case cases[] = {
      {"", 48, {0, 55.2f}},                      // empty: one line high
      {"abc", 48, {72, 55.2f}},
      {"ab\ncdef\n", 20, {40, 69}},              // widest line; a final break adds a line
      {"\xE6\x97\xA5\xE6\x9C\xAC", 40, {40, 46}},  // two code points, not six bytes
      {"a\xFF", 10, {10, 11.5f}},                 // the bad byte is one replacement glyph
  };
  for (const Case& c : cases) {
    Label* label = Label::createWithSystemFont(c.text, "Arial", c.size);
    const Size s = label->getContentSize();
    EXPECT_FLOAT_EQ(s.width, c.expected.width) << c.text;
    EXPECT_FLOAT_EQ(s.height, c.expected.height) << c.text;
  }
}

TEST_F(CoreLabel, TextMeasuredWithoutAWindowIsMeasuredAgainWithOne) {
  Label* label = Label::createWithSystemFont("abc", "Arial", 20);
  label->retain();
  GLView* keep = view;
  keep->retain();
  director()->setOpenGLView(nullptr);
  EXPECT_EQ(label->getContentSize(), Size(0, 0));
  director()->setOpenGLView(keep);
  EXPECT_EQ(label->getContentSize(), Size(30, 23));
  keep->release();
  label->release();
}

TEST_F(CoreLabel, MeasuringFollowsChangesOfText) {
  Label* label = Label::createWithSystemFont("12", "Arial", 20);
  EXPECT_FLOAT_EQ(label->getContentSize().width, 20);
  label->setString("12345");
  EXPECT_FLOAT_EQ(label->getContentSize().width, 50);
}

TEST_F(CoreLabel, LinesAlignWithinTheWidestLine) {
  struct Case {
    TextHAlignment align;
    float firstLineX;  // the short first line, in design units
  };
  const Case cases[] = {{TextHAlignment::LEFT, 0}, {TextHAlignment::CENTER, 10}};
  for (const Case& c : cases) {
    Label* label = drawn("a\nbbb", 20, c.align);
    const auto glyphs = fake->drawing().callsOf(Kind::Glyphs);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_NEAR(glyphs[0]->transform.tx, 0.6f * c.firstLineX, 1e-4);
    EXPECT_NEAR(glyphs[1]->transform.tx, 0, 1e-4);
    // Baselines one line height apart, the first a line's ascent and half leading from the top.
    EXPECT_FLOAT_EQ(glyphs[0]->glyphs[0].baseline, 46 - 0.5f - 18);
    EXPECT_FLOAT_EQ(glyphs[1]->glyphs[0].baseline, 46 - 0.5f - 18 - 23);
    label->removeFromParentAndCleanup(true);
  }
}

TEST_F(CoreLabel, DimensionsWrapAndAlign) {
  Label* label = Label::createWithSystemFont("aaa bbb cccccccccc", "Arial", 20, Size(55, 0), TextHAlignment::CENTER);
  // "aaa " | "bbb " | "ccccc" | "ccccc": spaces end lines, a long word breaks anywhere.
  EXPECT_EQ(label->getContentSize(), Size(55, 4 * 23));
  label->setAnchorPoint(Vec2::ZERO);
  scene->addChild(label);
  fake->drawing().clearCalls();
  director()->drawFrame(true);
  const auto lines = fake->drawing().callsOf(Kind::Glyphs);
  ASSERT_EQ(lines.size(), 4u);
  // Each line centred in 55 units, trailing spaces not counted; 0.6 pixels a unit.
  const float starts[] = {12.5f, 12.5f, 2.5f, 2.5f};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(lines[i]->transform.tx, 0.6f * starts[i], 1e-4) << i;
  EXPECT_EQ(fake->drawing().drawnText(), U"aaabbbcccccccccc");
}

TEST_F(CoreLabel, AnyBytesDecodeWithOneReplacementPerBadByte) {
  struct Case {
    const char* bytes;
    std::u32string shown;
  };
  const Case cases[] = {
      {"a\xFF" "b", U"a\uFFFDb"},
      {"\xE2\x82\xAC", U"\u20AC"},
      {"\xE2\x82" "a", U"\uFFFD\uFFFDa"},            // truncated
      {"\xC0\xAF", U"\uFFFD\uFFFD"},                  // overlong
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},        // surrogate
      {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xF0\x9F\x98\x80", U"\U0001F600"},
      {"\x80\xBF", U"\uFFFD\uFFFD"},
  };
  for (const Case& c : cases) {
    Label* label = drawn(c.bytes, 20);
    EXPECT_EQ(fake->drawing().drawnText(), c.shown) << c.bytes;
    label->removeFromParentAndCleanup(true);
  }
}

TEST_F(CoreLabel, DrawnColourIsTheNodeColourAndOpacity) {
  struct Case {
    Color3B node;
    std::uint8_t opacity;
    Color4B expected;
  };
  const Case cases[] = {
      {Color3B::BLACK, 255, {0, 0, 0, 255}},
      {Color3B::WHITE, 128, {255, 255, 255, 128}},
      {{255, 128, 0}, 255, {255, 128, 0, 255}},
  };
  for (const Case& c : cases) {
    Label* label = Label::createWithSystemFont("x", "Arial", 20);
    label->setColor(c.node);
    label->setOpacity(c.opacity);
    scene->addChild(label);
    fake->drawing().clearCalls();
    director()->drawFrame(true);
    const auto glyphs = fake->drawing().callsOf(Kind::Glyphs);
    ASSERT_EQ(glyphs.size(), 1u);
    EXPECT_EQ(glyphs[0]->color, c.expected);
    label->removeFromParentAndCleanup(true);
  }
}

TEST_F(CoreLabel, FontsOpenForTheCurrentLanguage) {
  fake->desktop().language = "ja";
  Label::createWithSystemFont("x", "Meiryo", 30)->getContentSize();
  ASSERT_FALSE(fake->text().fontsOpened.empty());
  EXPECT_EQ(fake->text().fontsOpened.back(), (std::pair<std::string, std::string>{"Meiryo", "ja"}));
}

TEST_F(CoreLabel, AMillionCharacterLineSendsOnlyTheVisibleGlyphs) {
  std::string text;
  for (int i = 0; i < 1000000; ++i) text += static_cast<char>('0' + i % 10);
  Label* label = Label::createWithSystemFont(text, "Arial", 48);
  label->setAnchorPoint(Vec2(0, 0.5f));
  label->setPosition(-24.0f * 500000, 640);  // glyph 500000 at the window's left edge
  scene->addChild(label);
  fake->drawing().clearCalls();
  director()->drawFrame(true);
  const auto glyphs = fake->drawing().callsOf(Kind::Glyphs);
  ASSERT_EQ(glyphs.size(), 1u);
  // 800 units show 33.3 glyphs of 24; a margin of one size (2 glyphs) on each side.
  const std::u32string drawnText = fake->drawing().drawnText();
  ASSERT_EQ(drawnText.size(), 38u);
  EXPECT_EQ(drawnText, std::u32string(text.begin() + 499998, text.begin() + 499998 + 38));
  EXPECT_NEAR(glyphs[0]->transform.tx + 0.6f * glyphs[0]->glyphs[0].x, -28.8f, 1e-3)
      << "the first glyph sits two advances left of the window, precisely";
}

TEST_F(CoreLabel, ManyLinesSendOnlyTheVisibleLines) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "abc\n";
  Label* label = Label::createWithSystemFont(text, "Arial", 48);
  label->setAnchorPoint(Vec2(0, 1));
  label->setPosition(0, 1280);
  scene->addChild(label);
  fake->drawing().clearCalls();
  director()->drawFrame(true);
  // 1280 / 55.2 = 23.2 lines, plus a line of margin.
  const auto lines = fake->drawing().callsOf(Kind::Glyphs).size();
  EXPECT_GE(lines, 24u);
  EXPECT_LE(lines, 26u);
}

TEST_F(CoreLabel, LabelsOutsideTheWindowSendNothing) {
  struct Case {
    Vec2 position;
  };
  const Case cases[] = {{{400, 5000}}, {{400, -5000}}, {{-5000, 640}}, {{5000, 640}}};
  for (const Case& c : cases) {
    Label* label = Label::createWithSystemFont("abc\ndef", "Arial", 48);
    label->setPosition(c.position);
    scene->addChild(label);
    fake->drawing().clearCalls();
    director()->drawFrame(true);
    EXPECT_EQ(fake->drawing().glyphCount(), 0u) << c.position.x << "," << c.position.y;
    label->removeFromParentAndCleanup(true);
  }
}

TEST_F(CoreLabel, ClippingNarrowsTheGlyphsSent) {
  auto* scroll = ui::ScrollView::create();
  scroll->setContentSize(Size(240, 100));
  scroll->setPosition(100, 100);
  scene->addChild(scroll);
  Label* label = Label::createWithSystemFont(std::string(10000, 'x'), "Arial", 48);
  label->setAnchorPoint(Vec2::ZERO);
  scroll->addChild(label);
  fake->drawing().clearCalls();
  director()->drawFrame(true);
  // 240 units are 10 glyphs; the clip's whole-pixel rounding and the margins add up to 5.
  EXPECT_GE(fake->drawing().glyphCount(), 10u);
  EXPECT_LE(fake->drawing().glyphCount(), 15u);
}

}  // namespace
}  // namespace pemtrix_test
