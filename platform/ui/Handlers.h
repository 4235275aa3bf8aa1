#pragma once
// Event handlers: their types, the binder that connects a form's method to a component's event, and the
// guard through which every handler is called. An exception leaving a handler ends that action only: the
// guard shows it in the standard error box and the program goes on; Qt never sees it.

#include "platform/ui/Sets.h"

#include <QObject>
#include <Qt>

#include <functional>
#include <type_traits>
#include <utility>

class QKeyEvent;

using TObject = QObject;
// The owner of a component: it destroys what it owns when it goes.
using TComponent = QObject;

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// Key is a virtual-key code, in and out: a handler that sets it to 0 discards the key.
using TKeyEvent = std::function<void(TObject* Sender, quint16& Key, TShiftState Shift)>;

// Virtual-key codes. Letters and digits are their upper-case character codes ('A' is 65, '0' is 48).
inline constexpr quint16 VK_BACK = 8;
inline constexpr quint16 VK_TAB = 9;
inline constexpr quint16 VK_RETURN = 13;
inline constexpr quint16 VK_SHIFT = 16;
inline constexpr quint16 VK_CONTROL = 17;
inline constexpr quint16 VK_MENU = 18;
inline constexpr quint16 VK_ESCAPE = 27;
inline constexpr quint16 VK_SPACE = 32;
inline constexpr quint16 VK_PRIOR = 33;
inline constexpr quint16 VK_NEXT = 34;
inline constexpr quint16 VK_END = 35;
inline constexpr quint16 VK_HOME = 36;
inline constexpr quint16 VK_LEFT = 37;
inline constexpr quint16 VK_UP = 38;
inline constexpr quint16 VK_RIGHT = 39;
inline constexpr quint16 VK_DOWN = 40;
inline constexpr quint16 VK_INSERT = 45;
inline constexpr quint16 VK_DELETE = 46;
inline constexpr quint16 VK_F1 = 112;
inline constexpr quint16 VK_F12 = 123;

// The virtual-key code of a Qt key; 0 for a key that has none here.
quint16 VirtualKeyFromQtKey(int key);
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);

// The one place where an event handler is called. A std::exception is shown with its message in the
// standard error box, anything else as "Unknown error"; either way the call returns normally.
void CallHandler(const std::function<void()>& handler) noexcept;

// Raises a notify event: runs the handler, if one is assigned, through the guard.
inline void Fire(const TNotifyEvent& handler, TObject* sender) {
    if (handler)
        CallHandler([&] { handler(sender); });
}

// Raises a key-down event for a key press through the guard. True when the handler discarded the key.
bool DispatchKeyDown(const TKeyEvent& handler, TObject* sender, const QKeyEvent& event);

// Connects a form's method to an event: `SpeedButton3->OnClick = Bind(this, &TFrmVales::SpeedButton3Click);`
template <class F, class R, class C, class... Args>
std::function<R(Args...)> Bind(F* form, R (C::*method)(Args...)) {
    static_assert(std::is_base_of_v<C, F>, "the method must belong to the form's class");
    return [form, method](Args... args) -> R { return (form->*method)(std::forward<Args>(args)...); };
}

template <class F, class R, class C, class... Args>
std::function<R(Args...)> Bind(const F* form, R (C::*method)(Args...) const) {
    static_assert(std::is_base_of_v<C, F>, "the method must belong to the form's class");
    return [form, method](Args... args) -> R { return (form->*method)(std::forward<Args>(args)...); };
}
