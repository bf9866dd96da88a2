// A fixture that gives each test a director with a recording backend behind an 800 x 1280
// design area on a 480 x 768 window, and tears everything down afterwards so that the leak
// checker sees a clean process.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include <memory>
#include <string>
#include <vector>

#include "cocos/cocos2d.h"
#include "tests/framework/FakeBackend.h"

namespace pemtrix_test {

class CoreTest : public ::testing::Test {
 protected:
  static constexpr float kFrame = 1.0f / 60;

  void SetUp() override {
    auto backend = std::make_unique<FakeBackend>();
    fake = backend.get();
    view = GLViewImpl::createWithBackend(std::move(backend), "test", Rect(0, 0, 480, 768));
    ASSERT_NE(view, nullptr);
    view->setDesignResolutionSize(800, 1280, ResolutionPolicy::EXACT_FIT);
    director()->setOpenGLView(view);
  }

  void TearDown() override {
    director()->reset();
    FileUtils::getInstance()->setSearchPaths({});
    for (const std::string& path : _files) std::remove(path.c_str());
    if (!_imageDir.empty()) ::rmdir(_imageDir.c_str());
  }

  // An image file of the given size that FileUtils finds by name: an empty file in a private
  // search path, with its size known to the recording backend.
  void addImage(const std::string& name, int width, int height) {
    if (_imageDir.empty()) {
      char pattern[] = "/tmp/pemtrix-core-XXXXXX";
      ASSERT_NE(::mkdtemp(pattern), nullptr);
      _imageDir = pattern;
      FileUtils::getInstance()->setSearchPaths({_imageDir});
    }
    const std::string path = _imageDir + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    _files.push_back(path);
    fake->drawing().imageSizes[path] = {width, height};
  }

  static Director* director() { return Director::getInstance(); }

  // Runs the scene and one frame, so that it is entered.
  Scene* runScene() {
    Scene* scene = Scene::create();
    director()->runWithScene(scene);
    frames(1);
    return scene;
  }

  void frames(int n) {
    for (int i = 0; i < n; ++i) director()->mainLoop(kFrame);
  }

  void tap(float x, float y) {
    view->injectTouch(TouchPhase::BEGAN, Vec2(x, y));
    view->injectTouch(TouchPhase::ENDED, Vec2(x, y));
  }

  FakeBackend* fake = nullptr;
  GLView* view = nullptr;
  // For tests whose nodes log calls: it outlives the teardown, which still makes some.
  std::vector<std::string> journal;

 private:
  std::string _imageDir;
  std::vector<std::string> _files;
};

}  // namespace pemtrix_test
