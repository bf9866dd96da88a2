// What the X desktop says about itself that SDL does not tell: the DPI it renders text at, and
// where its accessibility bus is.
#pragma once

#include <string>

namespace cocos2d::backend::x11 {

// Xft.dpi from the X resources of the display (a Display*), which desktops set to scale text
// and widgets (192 for a 2x desktop); 0 when it is not set or cannot be read.
double xftDpi(void* display);

// The accessibility bus address in the root window's AT_SPI_BUS property of the display (a
// Display*); empty when there is none or it cannot be read.
std::string atSpiBusAddress(void* display);

}  // namespace cocos2d::backend::x11
