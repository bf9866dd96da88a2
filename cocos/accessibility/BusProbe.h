// Whether an accessibility bus is there to publish on, found without loading anything: the
// environment, the display's property, then the session bus. Only then is the accessibility
// module (and GLib, ATK and the AT-SPI bridge with it) worth loading. That is the Linux side
// (posix/); on Windows the probe finds no bus (win32/).
#pragma once

namespace cocos2d::backend {
class Desktop;
}

namespace cocos2d::accessibility {

// Looks where the AT-SPI bridge looks for the bus, in its order: AT_SPI_BUS_ADDRESS, the
// display's AT_SPI_BUS property, and the session bus, on which the bus launcher owns
// org.a11y.Bus while it runs. The launcher is never started from here: without a running one
// nobody listens. NO_AT_BRIDGE=1 turns publishing off, as it does for other toolkits.
bool accessibilityBusPresent(backend::Desktop& desktop);

}  // namespace cocos2d::accessibility
