// Top-level windows, the control registry and the status bar.
#include "platform/qt/qt_backend.h"

#include "platform/ui.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <array>

namespace dg {
namespace qt {
namespace {

// The status bar's height beyond the text's.
constexpr int StatusBarPadding = 8;

// A window of ours: the menu bar on top, then the inner area of the size it was opened with,
// which holds the controls and, at its foot, the status bar.
class TopWindow final : public QWidget {
public:
    TopWindow(int number, int innerWidth, int innerHeight, int attributes)
        : number_(number), client_(new QWidget(this)) {
        Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (attributes & WindowMinimizeBox)
            flags |= Qt::WindowMinimizeButtonHint;
        setWindowFlags(flags);
        client_->setGeometry(0, 0, innerWidth, innerHeight);
        setFixedSize(innerWidth, innerHeight);
    }
    [[nodiscard]] QWidget* Client() const { return client_; }
    // The menu bar goes above the inner area, which keeps its size.
    void SetMenuBarHeight(int height) {
        client_->move(0, height);
        setFixedSize(client_->width(), client_->height() + height);
        Centre();
    }
    void Centre() {
        const QRect screen = QApplication::primaryScreen()->availableGeometry();
        move(screen.center() - rect().center());
    }
    QLabel* statusBar = nullptr;

protected:
    // The logic decides whether the window closes.
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        QueueEvent(EventCloseWindow, number_, number_, 0);
    }

private:
    int number_;
    QWidget* client_;
};

std::array<TopWindow*, WindowCount> windows{};
std::array<ControlEntry, ControlCount> controls;

TopWindow* Top(int window) {
    return window >= 0 && window < WindowCount ? windows[static_cast<std::size_t>(window)]
                                               : nullptr;
}

} // namespace

ControlEntry* FindControl(int control, ControlKind kind) {
    if (control < 0 || control >= ControlCount)
        return nullptr;
    ControlEntry& entry = controls[static_cast<std::size_t>(control)];
    if (entry.widget == nullptr || (kind != ControlKind::None && entry.kind != kind))
        return nullptr;
    return &entry;
}

QWidget* WindowWidget(int window) {
    return Top(window);
}

QWidget* ClientArea(int window) {
    TopWindow* top = Top(window);
    return top ? top->Client() : nullptr;
}

int WindowNumber(const QWidget* widget) {
    for (int window = 0; window < WindowCount; ++window)
        if (widget != nullptr && Top(window) == widget)
            return window;
    return -1;
}

void RegisterControl(int window, int control, QWidget* widget, ControlKind kind,
                     const ControlRect& rect) {
    if (control < 0 || control >= ControlCount) {
        delete widget;
        return;
    }
    // A number used again replaces the control.
    ControlEntry& entry = controls[static_cast<std::size_t>(control)];
    delete entry.widget;
    entry = ControlEntry{};
    entry.widget = widget;
    entry.kind = kind;
    entry.window = window;
    widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
    widget->show();
}

void SetMenuBarHeight(int window, int height) {
    if (TopWindow* top = Top(window))
        top->SetMenuBarHeight(height);
}

} // namespace qt

using namespace qt;

bool OpenWindow(int window, int innerWidth, int innerHeight, const std::string& title,
                int attributes) {
    if (window < 0 || window >= WindowCount)
        return false;
    CloseWindow(window);
    auto* top = new TopWindow(window, innerWidth, innerHeight, attributes);
    top->setWindowTitle(QString::fromStdString(title));
    windows[static_cast<std::size_t>(window)] = top;
    top->Centre();
    top->show();
    top->activateWindow();
    return true;
}

void CloseWindow(int window) {
    TopWindow* top = Top(window);
    if (top == nullptr)
        return;
    for (ControlEntry& entry : controls)
        if (entry.widget != nullptr && entry.window == window)
            entry = ControlEntry{};
    ReleaseMenusOf(window);
    DropEventsOf(window);
    windows[static_cast<std::size_t>(window)] = nullptr;
    delete top;
}

int GetWindowState(int window) {
    const TopWindow* top = Top(window);
    if (top != nullptr && top->isMinimized())
        return WindowMinimized;
    if (top != nullptr && top->isMaximized())
        return WindowMaximized;
    return WindowNormal;
}

void SetWindowState(int window, int state) {
    TopWindow* top = Top(window);
    if (top != nullptr && state == WindowNormal && (top->isMinimized() || top->isMaximized()))
        top->showNormal();
}

void ActivateWindow(int window) {
    if (TopWindow* top = Top(window)) {
        top->raise();
        top->activateWindow();
    }
}

void KeepOnTop(int window, bool onTop) {
    if (TopWindow* top = Top(window)) {
        // A new flag hides the window: show it again where it was.
        top->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        top->show();
        top->activateWindow();
    }
}

void CreateStatusBar(int window, int fieldWidth) {
    TopWindow* top = Top(window);
    if (top == nullptr)
        return;
    auto* bar = new QLabel(top->Client());
    bar->setObjectName("StatusBar");
    bar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->setTextFormat(Qt::PlainText);
    bar->setIndent(2);
    const int height = bar->fontMetrics().height() + StatusBarPadding;
    const int inner = top->Client()->height();
    bar->setGeometry(0, inner - height, std::min(fieldWidth, top->Client()->width()), height);
    bar->show();
    delete top->statusBar;
    top->statusBar = bar;
}

void SetStatusText(int statusBar, int field, const std::string& text) {
    RunOnMain([&] {
        TopWindow* top = Top(statusBar);
        if (top != nullptr && top->statusBar != nullptr && field == 0)
            top->statusBar->setText(QString::fromStdString(text));
    });
}

} // namespace dg
