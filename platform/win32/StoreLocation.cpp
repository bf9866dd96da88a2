#include "platform/StoreLocation.h"

#include "cocos/services/store/win32/RegistryBacking.h"

namespace platform {

std::string defaultStorePath() { return cocos2d::storage::kDefaultStorePath; }

}  // namespace platform
