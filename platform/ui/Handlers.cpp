#include "platform/ui/Handlers.h"

#include "platform/ui/Application.h"

#include <QKeyEvent>

#include <cstdio>
#include <exception>
#include <stdexcept>

quint16 VirtualKeyFromQtKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<quint16>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<quint16>('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return static_cast<quint16>(VK_F1 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift;
    if (modifiers & Qt::ShiftModifier)
        shift << ssShift;
    if (modifiers & Qt::AltModifier)
        shift << ssAlt;
    if (modifiers & Qt::ControlModifier)
        shift << ssCtrl;
    if (buttons & Qt::LeftButton)
        shift << ssLeft;
    if (buttons & Qt::RightButton)
        shift << ssRight;
    if (buttons & Qt::MiddleButton)
        shift << ssMiddle;
    return shift;
}

namespace {

void ShowError(const std::exception& error) noexcept {
    try {
        Application->ShowException(error);
    } catch (...) {
        // The error box itself failed (out of memory, say): the message is all that is left to give.
        std::fprintf(stderr, "%s\n", error.what());
    }
}

} // namespace

void CallHandler(const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowError(error);
    } catch (...) {
        ShowError(std::runtime_error("Unknown error"));
    }
}

bool DispatchKeyDown(const TKeyEvent& handler, TObject* sender, const QKeyEvent& event) {
    if (!handler)
        return false;
    quint16 key = VirtualKeyFromQtKey(event.key());
    if (key == 0)
        return false;
    const TShiftState shift = ShiftStateFromQt(event.modifiers());
    CallHandler([&] { handler(sender, key, shift); });
    return key == 0;
}
