// The convenience macros that code written against the engine API expects: namespace helpers,
// callback binders and safe retain/release.
#pragma once

#include <functional>

#define NS_CC_BEGIN namespace cocos2d {
#define NS_CC_END }
#define USING_NS_CC using namespace cocos2d

#define CC_CALLBACK_0(__selector__, __target__, ...) std::bind(&__selector__, __target__, ##__VA_ARGS__)
#define CC_CALLBACK_1(__selector__, __target__, ...) \
  std::bind(&__selector__, __target__, std::placeholders::_1, ##__VA_ARGS__)
#define CC_CALLBACK_2(__selector__, __target__, ...) \
  std::bind(&__selector__, __target__, std::placeholders::_1, std::placeholders::_2, ##__VA_ARGS__)
#define CC_CALLBACK_3(__selector__, __target__, ...)                                               \
  std::bind(&__selector__, __target__, std::placeholders::_1, std::placeholders::_2, std::placeholders::_3, \
            ##__VA_ARGS__)

#define CC_SAFE_DELETE(p) \
  do {                    \
    delete (p);           \
    (p) = nullptr;        \
  } while (0)
#define CC_SAFE_RELEASE(p) \
  do {                     \
    if (p) (p)->release(); \
  } while (0)
#define CC_SAFE_RELEASE_NULL(p) \
  do {                          \
    if (p) {                    \
      (p)->release();           \
      (p) = nullptr;            \
    }                           \
  } while (0)
#define CC_SAFE_RETAIN(p) \
  do {                    \
    if (p) (p)->retain(); \
  } while (0)
