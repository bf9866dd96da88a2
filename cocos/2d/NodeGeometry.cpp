// Node geometry, appearance and drawing: setters that invalidate the picture, the transforms
// between the node's, its parent's and the world space, and the visit that draws the subtree.
#include <algorithm>

#include "cocos/2d/Node.h"
#include "cocos/director/Director.h"

namespace cocos2d {

void Node::setPosition(const Vec2& position) {
  if (_position == position) return;
  invalidateDrawnArea();
  _position = position;
  invalidateDrawnArea();
}

void Node::setAnchorPoint(const Vec2& anchor) {
  if (_anchorPoint == anchor) return;
  invalidateDrawnArea();
  _anchorPoint = anchor;
  invalidateDrawnArea();
}

Vec2 Node::getAnchorPointInPoints() const {
  const Size& size = getContentSize();
  return Vec2(_anchorPoint.x * size.width, _anchorPoint.y * size.height);
}

void Node::setContentSize(const Size& size) {
  if (_contentSize == size) return;
  invalidateDrawnArea();
  _contentSize = size;
  invalidateDrawnArea();
}

void Node::setScale(float scaleX, float scaleY) {
  if (_scaleX == scaleX && _scaleY == scaleY) return;
  invalidateDrawnArea();
  _scaleX = scaleX;
  _scaleY = scaleY;
  invalidateDrawnArea();
}

void Node::setRotation(float degrees) {
  if (_rotation == degrees) return;
  invalidateDrawnArea();
  _rotation = degrees;
  invalidateDrawnArea();
}

void Node::setIgnoreAnchorPointForPosition(bool ignore) {
  if (_ignoreAnchorPointForPosition == ignore) return;
  _ignoreAnchorPointForPosition = ignore;
  requestRedraw();
}

void Node::setVisible(bool visible) {
  if (_visible == visible) return;
  _visible = visible;
  invalidateDrawnArea(_visibilityCosmetic);
}

bool Node::getDrawnBounds(Rect& world) const {
  if (!_children.empty() || !drawsOnlyWithinContent()) return false;
  const Size& size = getContentSize();
  world = getNodeToWorldTransform().applyToBounds(Rect(0, 0, size.width, size.height));
  return true;
}

void Node::invalidateDrawnArea(bool cosmetic) const {
  Director* director = Director::getInstance();
  if (director->needsWholeRedraw()) return;  // many moving nodes: no bounds to work out
  // Only nodes on the stage have a picture to change; for the others (being built, or in a
  // scene below) a whole redraw keeps the old, conservative rule.
  Rect bounds;
  if (_running && getDrawnBounds(bounds)) {
    director->invalidateRect(bounds, cosmetic);
  } else {
    requestRedraw();
  }
}

bool Node::isVisibleWithAncestors() const {
  for (const Node* n = this; n; n = n->_parent) {
    if (!n->_visible) return false;
  }
  return true;
}

void Node::setColor(const Color3B& color) {
  if (_realColor == color) return;
  _realColor = color;
  _displayedColor = getDisplayedColor();
  invalidateDrawnArea();
}

void Node::setOpacity(std::uint8_t opacity) {
  if (_realOpacity == opacity) return;
  _realOpacity = opacity;
  _displayedOpacity = getDisplayedOpacity();
  invalidateDrawnArea();
}

void Node::setCascadeColorEnabled(bool enabled) {
  if (_cascadeColorEnabled == enabled) return;
  _cascadeColorEnabled = enabled;
  requestRedraw();
}

void Node::setCascadeOpacityEnabled(bool enabled) {
  if (_cascadeOpacityEnabled == enabled) return;
  _cascadeOpacityEnabled = enabled;
  requestRedraw();
}

namespace {
std::uint8_t modulate(std::uint8_t a, std::uint8_t b) { return static_cast<std::uint8_t>((a * b + 127) / 255); }
}  // namespace

Color3B Node::getDisplayedColor() const {
  Color3B c = _realColor;
  for (const Node* p = _parent; p && p->_cascadeColorEnabled; p = p->_parent) {
    c = Color3B(modulate(c.r, p->_realColor.r), modulate(c.g, p->_realColor.g), modulate(c.b, p->_realColor.b));
  }
  return c;
}

std::uint8_t Node::getDisplayedOpacity() const {
  std::uint8_t o = _realOpacity;
  for (const Node* p = _parent; p && p->_cascadeOpacityEnabled; p = p->_parent) o = modulate(o, p->_realOpacity);
  return o;
}

// --- transforms

AffineTransform Node::getNodeToParentTransform() const {
  AffineTransform t = AffineTransform::translation(_position.x, _position.y);
  if (_rotation != 0) t = t * AffineTransform::rotationClockwise(_rotation);
  if (_scaleX != 1 || _scaleY != 1) t = t * AffineTransform::scaling(_scaleX, _scaleY);
  if (!_ignoreAnchorPointForPosition) {
    const Vec2 anchor = getAnchorPointInPoints();
    if (anchor.x != 0 || anchor.y != 0) t = t * AffineTransform::translation(-anchor.x, -anchor.y);
  }
  return t;
}

AffineTransform Node::getNodeToWorldTransform() const {
  AffineTransform t = getNodeToParentTransform();
  for (const Node* p = _parent; p; p = p->_parent) t = p->getNodeToParentTransform() * t;
  return t;
}

Vec2 Node::convertToNodeSpace(const Vec2& worldPoint) const {
  return getNodeToWorldTransform().inverse().apply(worldPoint);
}

Vec2 Node::convertToWorldSpace(const Vec2& nodePoint) const { return getNodeToWorldTransform().apply(nodePoint); }

// --- drawing

void Node::visit(Renderer* renderer, const AffineTransform& parentTransform) {
  if (!_visible) return;
  // Parents are visited first, so their displayed values are already current.
  if (_parent && _parent->_cascadeColorEnabled) {
    const Color3B& pc = _parent->_displayedColor;
    _displayedColor = Color3B(modulate(_realColor.r, pc.r), modulate(_realColor.g, pc.g), modulate(_realColor.b, pc.b));
  } else {
    _displayedColor = _realColor;
  }
  _displayedOpacity = (_parent && _parent->_cascadeOpacityEnabled) ? modulate(_realOpacity, _parent->_displayedOpacity)
                                                                    : _realOpacity;
  visitContent(renderer, parentTransform * getNodeToParentTransform());
}

void Node::visitContent(Renderer* renderer, const AffineTransform& transform) {
  std::size_t i = 0;
  for (; i < _children.size() && _children[i]->_localZOrder < 0; ++i) _children[i]->visit(renderer, transform);
  draw(renderer, transform);
  for (; i < _children.size(); ++i) _children[i]->visit(renderer, transform);
}

void Node::draw(Renderer*, const AffineTransform&) {}

}  // namespace cocos2d
