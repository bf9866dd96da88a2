// The engine core's costs that the editor feels: measuring a long expression after each key
// press, and drawing a frame that holds a huge label.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "cocos/cocos2d.h"
#include "tests/framework/FakeBackend.h"

namespace {

using namespace cocos2d;

// A director with a recording backend and a running scene, torn down at the end.
class Stage {
 public:
  Stage() {
    auto backend = std::make_unique<pemtrix_test::FakeBackend>();
    fake = backend.get();
    GLView* view = GLViewImpl::createWithBackend(std::move(backend), "bench", Rect(0, 0, 480, 768));
    view->setDesignResolutionSize(800, 1280, ResolutionPolicy::EXACT_FIT);
    Director::getInstance()->setOpenGLView(view);
    scene = Scene::create();
    Director::getInstance()->runWithScene(scene);
    Director::getInstance()->mainLoop(1.0f / 60);
  }
  ~Stage() { Director::getInstance()->reset(); }
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

  pemtrix_test::FakeBackend* fake = nullptr;
  Scene* scene = nullptr;
};

std::string digits(std::size_t n, char first) {
  std::string s(n, '0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(first + i % 10);
  return s;
}

void BM_LabelSetStringAndMeasure100k(benchmark::State& state) {
  Stage stage;
  Label* label = Label::createWithSystemFont("", "Arial", 48);
  stage.scene->addChild(label);
  // Two texts that differ, so that every setString really lays out again.
  const std::string texts[2] = {digits(100000, '0'), digits(100000, '1')};
  std::size_t i = 0;
  for (auto _ : state) {
    label->setString(texts[i++ & 1]);
    benchmark::DoNotOptimize(label->getContentSize().width);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 100000);
}
BENCHMARK(BM_LabelSetStringAndMeasure100k)->Unit(benchmark::kMillisecond);

void BM_FrameWithMillionCharacterLabel(benchmark::State& state) {
  Stage stage;
  Label* label = Label::createWithSystemFont(digits(1000000, '0'), "Arial", 48);
  label->setAnchorPoint(Vec2(0, 0.5f));
  label->setPosition(-24.0f * 500000, 640);
  stage.scene->addChild(label);
  label->getContentSize();  // lay out once, outside the timing
  for (auto _ : state) {
    stage.fake->drawing().clearCalls();
    Director::getInstance()->drawFrame(true);
  }
  state.counters["glyphs_sent"] = static_cast<double>(stage.fake->drawing().glyphCount());
}
BENCHMARK(BM_FrameWithMillionCharacterLabel)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
