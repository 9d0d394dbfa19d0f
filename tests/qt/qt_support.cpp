#include "qt/qt_support.h"

#include "platform/ids.h"

#include <QApplication>
#include <QTest>

namespace dg::test {

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
