// Runs the engine: owns the scene stack, the scheduler, the event dispatcher and the caches,
// and turns each frame into scene changes, updates, an autorelease drain and, when something
// visible changed, a drawing. It also keeps the clock that headless runs advance per frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cocos/backend/Backend.h"
#include "cocos/base/ccTypes.h"

namespace cocos2d {

class EventDispatcher;
class FontCache;
class GLView;
class Scene;
class Scheduler;
class TextureCache;

class Renderer;

class Director {
 public:
  static Director* getInstance();
  // The director if one exists; never creates one (for destructors running late).
  static Director* peekInstance();

  // --- the window. The director retains the view; the backend lives in the view.
  void setOpenGLView(GLView* view);
  GLView* getOpenGLView() const { return _openGLView; }
  backend::Backend* getBackend() const;
  Size getVisibleSize() const;
  Vec2 getVisibleOrigin() const;
  Size getWinSize() const;
  void setAnimationInterval(float interval) { _animationInterval = interval; }
  float getAnimationInterval() const { return _animationInterval; }
  // The colour of the bars around the design area when the window's shape differs from it.
  void setLetterboxColor(const Color4B& color);

  // --- scenes. Changes take effect at the start of the next frame.
  void runWithScene(Scene* scene);
  // The running scene stays on the stack below, without cleanup.
  void pushScene(Scene* scene);
  // The top scene leaves with cleanup and the one below runs again; popping the last scene
  // ends the program.
  void popScene();
  Scene* getRunningScene() const { return _runningScene; }
  bool isSendCleanupToScene() const { return _sendCleanupToScene; }

  // --- the loop
  // Asks the application loop to stop after the current frame.
  void end() { _endRequested = true; }
  bool isEndRequested() const { return _endRequested; }
  // While stopped, frames neither update nor draw.
  void stopAnimation() { _animating = false; }
  void startAnimation();
  bool isAnimating() const { return _animating; }

  // One frame: the pending scene change, scheduler updates with dt (exactly 1/60 s with the
  // virtual clock), the autorelease drain, and a drawing when something visible changed.
  void mainLoop(float dt);
  // Draws the running scene when something changed since the last drawing, or when forced.
  // False when nothing was drawn (nothing changed, no window or no scene).
  bool drawFrame(bool force);
  // Draws the current state and saves it as a PNG of the window's size.
  bool saveScreenshot(const std::string& pngPath);
  // Every change that can alter the picture calls this.
  void setNeedsRedraw() {
    _needsRedraw = true;
    _contentChanged = true;
  }
  // Only this rectangle (design units) changed: the next drawing may redraw just that part.
  // A cosmetic change (a blinking cursor) changes nothing that is published to screen readers.
  void invalidateRect(const Rect& designRect, bool cosmetic = false);
  // The next drawing redraws everything anyway: a change need not say where it is.
  bool needsWholeRedraw() const { return _needsRedraw; }

  // --- pacing of an event-driven loop. Frames are needed only while something moves or a
  // change is due; each frame's updates ask again for what they still need.
  // Something moves: run frames at the animation interval.
  void requestAnimationFrame() { _animationRequested = true; }
  // A change is due at this clock reading (100-nanosecond ticks, as getClockTicks100ns).
  void requestUpdateAt(std::uint64_t ticks100ns);
  bool hasPendingSceneChange() const { return _nextScene != nullptr; }
  // Moving things or a scene change waiting: frames at the interval.
  bool wantsAnimationFrames() const;
  // The earliest requested update, or UINT64_MAX when none is.
  std::uint64_t getRequestedUpdateTicks() const { return _updateAt; }

  // --- time
  // The virtual clock advances exactly 1/60 s per frame, whatever the real time.
  void setVirtualClock(bool enabled);
  bool isVirtualClock() const { return _virtualClock; }
  // 100-nanosecond ticks: virtual frames * 10^7 / 60 (rounded), or the monotonic clock.
  std::uint64_t getClockTicks100ns() const;

  Scheduler* getScheduler() const { return _scheduler; }
  EventDispatcher* getEventDispatcher() const { return _eventDispatcher; }
  TextureCache* getTextureCache() const { return _textureCache; }
  FontCache* getFontCache() const { return _fontCache; }

  // Tears everything down for the next test: scenes leave and are released, listeners,
  // scheduled callbacks, caches, the window and the audio engine go, and the settings return
  // to their defaults. Nothing created by the engine survives except what callers retained.
  void reset();

 private:
  // A transition hands over to its incoming scene by putting it in its own place.
  friend class TransitionScene;

  Director();
  ~Director();
  Director(const Director&) = delete;
  Director& operator=(const Director&) = delete;
  // The scene takes the place of the top of the stack, which leaves with cleanup.
  void replaceScene(Scene* scene);
  bool needsRedraw() const { return _needsRedraw || _dirtyArea.size.width > 0; }
  void setNextScene();
  void releaseAllScenes();
  // Draws only the pixels of the dirty area when the backend can, else everything.
  void renderDirtyArea(backend::Drawing& drawing, const Rect& designArea);
  // Hands the drawn frame to the accessibility publisher when it may show something new.
  void publishFrame();
  // Sets up the letterbox of a window whose shape differs from the design area's.
  void prepareLetterbox(Renderer& renderer) const;

  GLView* _openGLView = nullptr;
  Scheduler* _scheduler;
  EventDispatcher* _eventDispatcher;
  TextureCache* _textureCache;
  FontCache* _fontCache;

  Scene* _runningScene = nullptr;  // retained
  Scene* _nextScene = nullptr;     // held by the stack
  std::vector<Scene*> _scenesStack;  // retained
  bool _sendCleanupToScene = false;

  float _animationInterval = 1.0f / 60;
  Color4B _letterboxColor = Color4B::BLACK;
  bool _endRequested = false;
  bool _animating = true;
  bool _needsRedraw = true;
  bool _contentChanged = true;  // something other than cosmetic nodes changed since publishing
  Rect _dirtyArea;  // design units; empty when nothing but _needsRedraw is pending
  bool _animationRequested = false;
  std::uint64_t _updateAt = UINT64_MAX;
  bool _virtualClock = false;
  std::uint64_t _virtualFrames = 0;
};

}  // namespace cocos2d
