#include "screens/StorePreferences.h"

#include "cocos/services/store/UserDefault.h"

namespace {

class StorePreferences final : public PreferenceSource {
 public:
  int getIntegerForKey(const char* key, int defaultValue) override {
    return cocos2d::UserDefault::getInstance()->getIntegerForKey(key, defaultValue);
  }
};

}  // namespace

PreferenceSource* storePreferences() {
  static StorePreferences adapter;
  return &adapter;
}
