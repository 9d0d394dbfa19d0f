// The contract tests' driver for the Qt backend on the offscreen platform: Qt's test input on
// the real widgets, and a marker event posted behind the input to tell when WaitEvent has
// returned everything it caused.
#include "contract/contract.h"
#include "qt/qt_support.h"

#include "platform/qt/qt_backend.h"
#include "platform/system.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdlib>

namespace dg::contract {

namespace {

// Posted behind the input: WaitEvent returns it after everything the input caused.
constexpr auto Marker = static_cast<EventKind>(-1);

ThreadProcedure served = nullptr;

} // namespace

void StartPlatform() {
    // No display needed, and none used when there is one.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    InitialisePlatform();
}

bool Activate(int window) {
    ActivateWindow(window);
    return QTest::qWaitForWindowActive(qt::WindowWidget(window));
}

Events EventsNow() {
    qt::PostEvent(Marker, 0, -1, 0);
    Events events;
    for (EventKind kind = WaitEvent(); kind != Marker; kind = WaitEvent())
        events.push_back({kind, EventControlNumber(), EventWindowNumber(), EventType()});
    return events;
}

Events ClickRow(int row) {
    test::ClickListRow(row);
    return EventsNow();
}

Events ArrowDown() {
    QTest::keyClick(test::Widget(ResultList), Qt::Key_Down);
    return EventsNow();
}

Events PressKey(int shortcut) {
    test::PressShortcut(shortcut);
    return EventsNow();
}

void ClickButton(int control) {
    static_cast<QPushButton*>(test::Widget(control))->click();
}

void PressCloseBox(int window) {
    qt::WindowWidget(window)->close();
}

bool WindowShown(int window) {
    return qt::WindowWidget(window)->isVisible();
}

void FocusAndSelectAll(int field) {
    auto* edit = static_cast<QLineEdit*>(test::Widget(field));
    edit->setFocus();
    edit->selectAll();
}

void PutOnClipboard(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

Paint FieldPaint(int field) {
    return {test::FieldColour(field, QPalette::Text), test::FieldColour(field, QPalette::Base)};
}

bool ServeWorker(ThreadProcedure procedure) {
    served = procedure;
    // The worker's last act wakes WaitEvent: everything it called has been done by then.
    const int worker = StartThread(
        [](int) {
            const int result = served(0);
            qt::PostEvent(Marker, 0, -1, 0);
            return result;
        },
        0);
    while (worker != 0 && WaitEvent() != Marker) {
    }
    return worker != 0;
}

} // namespace dg::contract
