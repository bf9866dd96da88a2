#include "cocos/audio/SimpleAudioEngine.h"

#include <string>

#include "cocos/director/Director.h"
#include "cocos/services/FileUtils.h"
#include "cocos/window/GLView.h"

namespace CocosDenshion {
namespace {
SimpleAudioEngine* g_engine = nullptr;
}  // namespace

SimpleAudioEngine* SimpleAudioEngine::getInstance() {
  if (!g_engine) g_engine = new SimpleAudioEngine();
  return g_engine;
}

void SimpleAudioEngine::end() {
  delete g_engine;
  g_engine = nullptr;
}

unsigned int SimpleAudioEngine::playEffect(const char* filePath, bool loop, float pitch, float pan, float gain) {
  ++_playCount;
  cocos2d::backend::Backend* backend = cocos2d::Director::getInstance()->getBackend();
  if (!backend || !filePath || cocos2d::GLView::isHeadless() || backend->window().isHeadless()) return _playCount;
  const std::string path = cocos2d::FileUtils::getInstance()->fullPathForFilename(filePath);
  if (!path.empty()) backend->sound().playEffect(path, loop, pitch, pan, gain);
  return _playCount;
}

}  // namespace CocosDenshion
