// Where an object is: its bounds in window pixels, turned into screen coordinates with the
// window's position as the engine reports it at the time of asking (the window may have
// moved since the last frame).
#include "cocos/accessibility/Bridge.h"
#include "cocos/backend/atk/AccessibleObject.h"

namespace cocos2d::accessibility::atk {
namespace {

void extents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height, AtkCoordType coordType) {
  gint bx = -1, by = -1, bw = -1, bh = -1;
  if (const ObjectData* data = dataOf(component)) {
    const PixelBox& box = data->node.bounds;
    bx = box.x;
    by = box.y;
    bw = box.width;
    bh = box.height;
    if (coordType == ATK_XY_SCREEN) {
      int originX = 0, originY = 0;
      if (data->host) data->host->windowScreenPosition(originX, originY);
      bx += originX;
      by += originY;
    } else if (coordType == ATK_XY_PARENT) {
      if (const ObjectData* parent = dataOf(atk_object_get_parent(ATK_OBJECT(component)))) {
        bx -= parent->node.bounds.x;
        by -= parent->node.bounds.y;
      }
    }
  }
  if (x) *x = bx;
  if (y) *y = by;
  if (width) *width = bw;
  if (height) *height = bh;
}

AtkLayer layer(AtkComponent* component) {
  const ObjectData* data = dataOf(component);
  return data && data->kind == ObjectKind::Window ? ATK_LAYER_WINDOW : ATK_LAYER_WIDGET;
}

}  // namespace

void initComponentInterface(AtkComponentIface* iface) {
  iface->get_extents = extents;
  iface->get_layer = layer;
}

}  // namespace cocos2d::accessibility::atk
