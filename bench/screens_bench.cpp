// Speed of the calculator screen on the real headless backend: long lines, key presses on
// them, clearing, undo, and frames with many falling characters.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>

#include "app/AppDelegate.h"
#include "cocos/services/store/UserDefault.h"
#include "cocos/backend/sdl/SdlBackend.h"
#include "cocos/cocos2d.h"
#include "cocos/services/SystemClipboard.h"
#include "screens/ExpressionEditor.h"
#include "screens/MainLayer.h"
#include "screens/TextMeasure.h"

using namespace cocos2d;

namespace {

// One calculator for the whole program, headless, on a store in memory.
MainLayer* calculator() {
  static AppDelegate* app = [] {
    UserDefault::setStorePath(":memory:");
    GLView::setHeadless(true);
    Director::getInstance()->setVirtualClock(true);
    FileUtils::getInstance()->setDefaultResourceRootPath(PEMTRIX_RESOURCES_DIR);
    auto* delegate = new AppDelegate();
    Application::getInstance()->applicationDidFinishLaunching();
    Director::getInstance()->mainLoop(0);
    UserDefault::getInstance()->setIntegerForKey("SoundEffect", 0);
    return delegate;
  }();
  (void)app;
  return currentMainLayer;
}

void resetLine(MainLayer* m, bool falling) {
  UserDefault::getInstance()->setIntegerForKey("FallingChar", 0);
  m->clearAll();
  UserDefault::getInstance()->setIntegerForKey("FallingChar", falling ? 1 : 0);
  for (int i = 0; i < 200 && !m->getFallingGlyphs().empty(); ++i) Director::getInstance()->mainLoop(1.0f / 60);
}

// The heap in use: small blocks and the large ones malloc maps on their own (a long line).
std::size_t heapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

std::string digits(std::size_t n) {
  std::string s;
  s.reserve(n);
  for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char>('0' + i % 10));
  return s;
}

void BM_Paste100k(benchmark::State& state) {
  MainLayer* m = calculator();
  const std::string text = digits(100000);
  for (auto _ : state) {
    state.PauseTiming();
    resetLine(m, false);
    state.ResumeTiming();
    m->insertText(text);
  }
}
BENCHMARK(BM_Paste100k)->Iterations(30)->Unit(benchmark::kMillisecond);

void BM_KeyOnLongLine(benchmark::State& state) {
  MainLayer* m = calculator();
  resetLine(m, false);
  m->insertText(digits(100000));
  for (auto _ : state) {
    m->insertDigit(5);
    m->eraseBeforeCursor();
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeyOnLongLine)->Unit(benchmark::kMicrosecond);

void BM_KeyInTheMiddleOfALongLine(benchmark::State& state) {
  MainLayer* m = calculator();
  resetLine(m, false);
  m->insertText(digits(100000));
  m->cursorHome();
  for (int i = 0; i < 50000; ++i) m->cursorRight();
  for (auto _ : state) {
    m->insertDigit(5);
    m->cursorLeft();
    m->eraseAtCursor();
  }
  state.SetItemsProcessed(state.iterations() * 3);
}
BENCHMARK(BM_KeyInTheMiddleOfALongLine)->Unit(benchmark::kMicrosecond);

void BM_ClearFullVisibleLine(benchmark::State& state) {
  MainLayer* m = calculator();
  for (auto _ : state) {
    state.PauseTiming();
    resetLine(m, true);
    m->insertText(digits(45));
    state.ResumeTiming();
    m->clearAll();
  }
}
BENCHMARK(BM_ClearFullVisibleLine)->Iterations(20)->Unit(benchmark::kMicrosecond);

// Every character the line shows falls, but only those that can reach the screen get a label:
// a 100,000-character line shown from its start costs its random numbers, not 100,000 labels.
void BM_Clear100kFromTheStart(benchmark::State& state) {
  MainLayer* m = calculator();
  for (auto _ : state) {
    state.PauseTiming();
    resetLine(m, true);
    m->insertText(digits(100000));
    m->cursorHome();
    state.ResumeTiming();
    m->clearAll();
  }
  state.counters["labels"] = static_cast<double>(m->getFallingGlyphs().size());
}
BENCHMARK(BM_Clear100kFromTheStart)->Iterations(20)->Unit(benchmark::kMicrosecond);

// Ten megabytes pasted from the clipboard and evaluated: the line, the tape, the history and
// its store write, the engine's evaluation, and the frame that shows the result.
void BM_Paste10MBAndEvaluate(benchmark::State& state) {
  MainLayer* m = calculator();
  std::string sum;
  sum.reserve(10'000'000);
  for (int i = 0; i < 5'000'000; ++i) sum += "1+";
  sum.pop_back();
  for (auto _ : state) {
    state.PauseTiming();
    resetLine(m, false);
    setClipboardText(sum);
    state.ResumeTiming();
    m->pasteClipboard();
    m->evaluate();
    Director::getInstance()->drawFrame(false);
  }
}
BENCHMARK(BM_Paste10MBAndEvaluate)->Iterations(5)->Unit(benchmark::kMillisecond);

// A frame of the flip to the settings screen, a third of the way through: the calculator,
// half folded, drawn through the fold.
void BM_FlipTransitionFrame(benchmark::State& state) {
  MainLayer* m = calculator();
  resetLine(m, false);
  m->openSettings();
  for (int i = 0; i < 20; ++i) Director::getInstance()->mainLoop(1.0f / 60);
  for (auto _ : state) Director::getInstance()->drawFrame(true);
  // Let the flip end and come back, for the benchmarks that follow.
  for (int i = 0; i < 50; ++i) Director::getInstance()->mainLoop(1.0f / 60);
  Director::getInstance()->popScene();
  for (int i = 0; i < 5; ++i) Director::getInstance()->mainLoop(1.0f / 60);
}
BENCHMARK(BM_FlipTransitionFrame)->Unit(benchmark::kMicrosecond);

// Spawned near the top, the characters stay in flight for about 75 frames: the 60 timed
// frames all move and draw 1,000 of them.
void BM_FrameWith1000Falling(benchmark::State& state) {
  MainLayer* m = calculator();
  resetLine(m, true);
  for (int i = 0; i < 1000; ++i) {
    m->spawnFallingGlyph(std::string(1, static_cast<char>('0' + i % 10)), Vec2(static_cast<float>(i % 800), 1250));
  }
  // One frame as the loop runs it: the characters move, then the frame is drawn.
  for (auto _ : state) Director::getInstance()->mainLoop(1.0f / 60);
  state.counters["in_flight"] = static_cast<double>(m->getFallingGlyphs().size());
}
BENCHMARK(BM_FrameWith1000Falling)->Iterations(60)->Unit(benchmark::kMicrosecond);

// A digit key as the window handles it: the key event through the dispatcher, the line's
// edit, and the frame that redraws only the line (as windows do; the headless backend is
// asked to).
void BM_DigitKeyToFrame(benchmark::State& state) {
  MainLayer* m = calculator();
  resetLine(m, false);
  auto* backend = dynamic_cast<backend::sdl::SdlBackend*>(Director::getInstance()->getBackend());
  backend->drawing().setPartialFrames(true);
  Director::getInstance()->drawFrame(true);
  GLView* view = Director::getInstance()->getOpenGLView();
  int n = 0;
  for (auto _ : state) {
    if (++n % 30 == 0) m->clearAll();
    view->injectKey(EventKeyboard::KeyCode::KEY_7, true);
    view->injectKey(EventKeyboard::KeyCode::KEY_7, false);
    Director::getInstance()->drawFrame(false);
  }
  backend->drawing().setPartialFrames(false);
}
BENCHMARK(BM_DigitKeyToFrame)->Unit(benchmark::kMicrosecond);

// The same digit key, recorded for undo as every key is, then Ctrl+Z, each with its frame:
// two keys an iteration.
void BM_DigitKeyAndUndoToFrame(benchmark::State& state) {
  MainLayer* m = calculator();
  resetLine(m, false);
  m->insertText("12+34");
  auto* backend = dynamic_cast<backend::sdl::SdlBackend*>(Director::getInstance()->getBackend());
  backend->drawing().setPartialFrames(true);
  Director::getInstance()->drawFrame(true);
  GLView* view = Director::getInstance()->getOpenGLView();
  for (auto _ : state) {
    view->injectKey(EventKeyboard::KeyCode::KEY_7, true);
    view->injectKey(EventKeyboard::KeyCode::KEY_7, false);
    Director::getInstance()->drawFrame(false);
    view->injectKey(EventKeyboard::KeyCode::KEY_CTRL, true);
    view->injectKey(EventKeyboard::KeyCode::KEY_Z, true);
    view->injectKey(EventKeyboard::KeyCode::KEY_Z, false);
    view->injectKey(EventKeyboard::KeyCode::KEY_CTRL, false);
    Director::getInstance()->drawFrame(false);
  }
  state.SetItemsProcessed(state.iterations() * 2);
  backend->drawing().setPartialFrames(false);
}
BENCHMARK(BM_DigitKeyAndUndoToFrame)->Unit(benchmark::kMicrosecond);

// Widths of a font with fixed advances: what an editor of its own measures with, so that the
// heap it takes is not mixed with the screen's.
class FixedAdvances : public TextMeasure {
 public:
  float width(const std::string& text) override { return 26.6875f * static_cast<float>(text.size()); }
};

// A hundred steps of keys spread over a line of a megabyte, on an editor of its own: what the
// steps hold on the heap beyond the line (counted once, before the timing), then the time to
// undo all hundred and redo them.
void BM_HundredUndoStepsOnAMegabyte(benchmark::State& state) {
  FixedAdvances measure;
  ExpressionEditor editor(measure);
  editor.insertText(digits(1u << 20));
  editor.cursorHome();
  const std::size_t lineBefore = editor.getText().capacity();
  const std::size_t heapBefore = heapInUse();
  for (int i = 0; i < 100; ++i) {
    for (int k = 0; k < 5; ++k) editor.cursorRight();
    if (i % 3 == 2) editor.eraseBeforeCursor();
    else editor.insertText(std::to_string(i % 10));
  }
  const double held = static_cast<double>(heapInUse()) - static_cast<double>(heapBefore) -
                      (static_cast<double>(editor.getText().capacity()) - static_cast<double>(lineBefore));
  for (auto _ : state) {
    while (editor.undo()) {
    }
    while (editor.redo()) {
    }
  }
  state.SetItemsProcessed(state.iterations() * 200);
  state.counters["held_bytes"] = held;
  state.counters["undo_depth"] = static_cast<double>(editor.undoDepth());
}
BENCHMARK(BM_HundredUndoStepsOnAMegabyte)->Unit(benchmark::kMillisecond);

void BM_FrameWithMillionCharacterLine(benchmark::State& state) {
  MainLayer* m = calculator();
  resetLine(m, false);
  m->insertText(digits(1000000));
  m->cursorHome();
  for (auto _ : state) Director::getInstance()->drawFrame(true);
}
BENCHMARK(BM_FrameWithMillionCharacterLine)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
