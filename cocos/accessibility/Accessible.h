// What one node shows to assistive technologies (screen readers): its role, name and
// description and, where they apply, its text, caret and press action. Screens attach one to
// each node a listener should find; the published tree is built from them after drawn frames.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace cocos2d {
class Node;
}

namespace cocos2d::accessibility {

enum class Role : std::uint8_t {
  Panel,         // a screen or a group of controls
  PushButton,    // pressed through its action; menu items press by activation
  Entry,         // one line of editable text with a caret
  List,          // its list items are its children
  ListItem,      // one line of text in a list
  Label,         // static text
  Alert,         // a message over the screen, with its text and buttons inside
};

class Accessible {
 public:
  Accessible(Role role, std::string name, std::string description);

  // The identity under which the node is published; stable for the node's life.
  std::uint64_t id() const { return _id; }
  // Publishes this node as the same object as another: for controls stacked in one place of
  // which only one is visible at a time, so that the object stays and its name follows.
  void shareObjectWith(const Accessible& other) { _id = other._id; }

  Role role;
  std::string name;
  std::string description;
  // When set, the name is read from it at each publication (captions that change).
  std::function<std::string()> nameSource;
  // Text roles: the whole text (UTF-8), by reference: a line may hold megabytes, and it is
  // read after every drawn frame. A list item or label without a name is named by it.
  std::function<const std::string&()> textSource;
  // Entries: the caret as a byte offset into the text.
  std::function<int()> caretSource;
  // What pressing does when it is not the menu item's activation.
  std::function<void()> press;
  // Above 0: the node can take the keyboard focus, and the showing one with the highest
  // value has it (the expression line, or a message box's button over everything).
  int focusPriority = 0;

 private:
  std::uint64_t _id;
};

// Gives a node its description (replacing any) and returns it for further settings.
Accessible& makeAccessible(Node* node, Role role, std::string name = {}, std::string description = {});

}  // namespace cocos2d::accessibility
