// Scene transitions: a scene that runs in place of the outgoing one for a while, draws both
// scenes as it likes, keeps input away from them, and finally hands over to the incoming one.
#pragma once

#include "cocos/2d/Scene.h"

namespace cocos2d {

class TransitionScene : public Scene {
 public:

  Scene* getInScene() const { return _inScene; }
  // The director binds the scene that is running when the transition starts: with two
  // changes asked for in one frame, that is not the scene that ran when this one was made.
  void takeOverFrom(Scene* running);

  void onEnter() override;
  void onExit() override;
  void cleanup() override;
  void update(float delta) override;
  void visit(Renderer* renderer, const AffineTransform& parentTransform) override;

 protected:
  TransitionScene() = default;
  ~TransitionScene() override;
  // From 0 at the start to 1 at the end.
  float getProgress() const;
  bool initWithDuration(float duration, Scene* scene);
  // Makes the incoming scene the running one.
  virtual void finish();

  Scene* _inScene = nullptr;
  Scene* _outScene = nullptr;
  float _duration = 0;
  double _elapsed = 0;
  bool _finished = false;
  bool _isSendCleanupToScene = false;
};

// The outgoing scene folds horizontally around the centre of the screen, then the incoming
// one unfolds.
class TransitionFlipX : public TransitionScene {
 public:
  static TransitionFlipX* create(float duration, Scene* scene);

  void visit(Renderer* renderer, const AffineTransform& parentTransform) override;

 protected:
  TransitionFlipX() = default;
};

}  // namespace cocos2d
