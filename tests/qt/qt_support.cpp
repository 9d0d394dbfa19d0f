#include "qt/qt_support.h"

#include "platform/ids.h"
#include "platform/qt/qt_backend.h"

#include <QApplication>
#include <QTableView>
#include <QTest>

namespace dg::test {

QWidget* Widget(int control) {
    const qt::ControlEntry* entry = qt::FindControl(control);
    return entry ? entry->widget : nullptr;
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

void ClickListRow(int row) {
    auto* view = static_cast<QTableView*>(Widget(ResultList));
    static bool left = false;
    left = !left;
    const QPoint point = row >= 0 ? view->visualRect(view->model()->index(row, 0)).center()
                                  : QPoint(left ? 100 : 300, view->viewport()->height() - 5);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
}

int FieldColour(int field, QPalette::ColorRole role) {
    const QWidget* widget = Widget(field);
    const QColor shown =
        widget->palette().color(widget->isEnabled() ? QPalette::Active : QPalette::Disabled, role);
    return shown.red() | shown.green() << 8 | shown.blue() << 16;
}

} // namespace dg::test
