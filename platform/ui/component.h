#pragma once
// Base of everything a window holds: controls, menu items, timers. Events are
// std::function members that receive the component that raised them, so that one
// handler can serve several components and tell them apart (by Tag or identity).
#include <functional>
#include <string>

namespace trovex::ui {

class Component {
 public:
  Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  virtual ~Component() = default;

  int Tag = 0;
};

using NotifyEvent = std::function<void(Component& sender)>;

// Modifier keys and mouse buttons held during a key or mouse event.
enum ShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using ShiftState = unsigned;
enum class MouseButton { Left, Right, Middle };

// key: a virtual-key code; a handler that sets it to 0 consumes the key.
using KeyEvent = std::function<void(Component& sender, unsigned& key, ShiftState shift)>;
// key: the typed character; a handler that sets it to 0 consumes it.
using KeyPressEvent = std::function<void(Component& sender, wchar_t& key)>;
using MouseEvent =
    std::function<void(Component& sender, MouseButton button, ShiftState shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Component& sender, ShiftState shift, int x, int y)>;

// Wires a member function as an event handler: OnClick = Bind(this, &TForm1::Button1Click).
template <class Owner, class... Args>
std::function<void(Args...)> Bind(Owner* owner, void (Owner::*handler)(Args...)) {
  return [owner, handler](Args... args) { (owner->*handler)(std::forward<Args>(args)...); };
}

}  // namespace trovex::ui
