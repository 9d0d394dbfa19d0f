// The contract tests' driver for the Qt backend on the offscreen platform: Qt's test input on
// the real widgets, and a marker event posted behind the input to tell when WaitEvent has
// returned everything it caused.
#include "contract/contract.h"
#include "qt/qt_support.h"

#include "platform/qt/qt_backend.h"
#include "platform/system.h"
#include "platform/ui.h"

#include <QAction>
#include <QApplication>
#include <QTableView>
#include <QTest>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace dg::contract {

namespace {

QTableView* List() {
    const qt::ControlEntry* entry = qt::FindControl(ResultList, ControlKind::List);
    return entry ? static_cast<QTableView*>(entry->widget) : nullptr;
}

} // namespace

void StartPlatform() {
    // No display needed, and none used when there is one.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    InitialisePlatform();
}

void EndPlatform() {
    ReleasePlatform();
}

bool Activate(int window) {
    ActivateWindow(window);
    return QTest::qWaitForWindowActive(qt::WindowWidget(window));
}

std::vector<int> ClickRow(int row) {
    QTableView* view = List();
    QPoint point;
    if (row >= 0) {
        point = view->visualRect(view->model()->index(row, 0)).center();
    } else {
        // Below the rows, at another point each time.
        static bool left = false;
        left = !left;
        point = {left ? 100 : 300, view->viewport()->height() - 5};
    }
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
    return test::EventsUntilNow(EventControl, ResultList);
}

std::vector<int> ArrowDown() {
    QTest::keyClick(List(), Qt::Key_Down);
    return test::EventsUntilNow(EventControl, ResultList);
}

std::vector<int> ListEventsNow() {
    return test::EventsUntilNow(EventControl, ResultList);
}

std::vector<int> MenuItemsFromKey(int shortcut) {
    test::PressShortcut(shortcut);
    return test::EventsUntilNow(EventMenu);
}

bool MenuItemGreyed(int item) {
    const QAction* action = qt::MenuAction(item);
    return action != nullptr && !action->isEnabled();
}

bool ServeWorker(ThreadProcedure procedure) {
    const int worker = StartThread(procedure, 0);
    if (worker == 0)
        return false;
    std::atomic<bool> ended{false};
    // Wakes WaitEvent once the worker has ended.
    std::thread waker([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (IsThreadRunning(worker) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ended = !IsThreadRunning(worker);
        qt::PostEvent(test::Marker, 0, -1, 0);
    });
    while (WaitEvent() != test::Marker) {
    }
    waker.join();
    return ended;
}

} // namespace dg::contract
