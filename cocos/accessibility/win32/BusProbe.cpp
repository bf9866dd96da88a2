// Screen readers on Windows listen through UI Automation, which nothing here serves yet: there
// is no AT-SPI bus to find, and so nothing is published and no module is looked for.
#include "cocos/accessibility/BusProbe.h"

namespace cocos2d::accessibility {

bool accessibilityBusPresent(backend::Desktop& /*desktop*/) { return false; }

}  // namespace cocos2d::accessibility
