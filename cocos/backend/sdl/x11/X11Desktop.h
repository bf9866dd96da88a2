// What the X desktop says about itself that SDL does not tell: the DPI it renders text at.
#pragma once

namespace cocos2d::backend::x11 {

// Xft.dpi from the X resources of the display (a Display*), which desktops set to scale text
// and widgets (192 for a 2x desktop); 0 when it is not set or cannot be read.
double xftDpi(void* display);

}  // namespace cocos2d::backend::x11
