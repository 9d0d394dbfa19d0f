#include "qt/qt_support.h"

#include "platform/qt/qt_backend.h"
#include "platform/threads.h"

#include <QApplication>
#include <QTest>

namespace dg::test {

std::vector<int> EventsUntilNow(EventKind kind, int control) {
    qt::PostEvent(Marker, 0, -1, 0);
    std::vector<int> found;
    for (EventKind got = WaitEvent(); got != Marker; got = WaitEvent()) {
        if (got != kind)
            continue;
        if (kind == EventMenu)
            found.push_back(EventMenuItem());
        else if (EventControlNumber() == control)
            found.push_back(EventType());
    }
    return found;
}

void PressShortcut(int shortcut) {
    const int code = shortcut & 0xFFFF;
    const int key = code >= KeyF1 && code < KeyF1 + 24 ? Qt::Key_F1 + (code - KeyF1) : code;
    Qt::KeyboardModifiers modifiers;
    if (shortcut & ShiftKey)
        modifiers |= Qt::ShiftModifier;
    if (shortcut & CtrlKey)
        modifiers |= Qt::ControlModifier;
    if (shortcut & AltKey)
        modifiers |= Qt::AltModifier;
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : QApplication::activeWindow(), static_cast<Qt::Key>(key),
                    modifiers);
}

} // namespace dg::test
