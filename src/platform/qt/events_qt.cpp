// The event loop: start-up and release of Qt, the event queue, WaitEvent, and the hand-over
// of worker threads' calls to the main thread.
#include "platform/qt/qt_backend.h"

#include "platform/portable/event_queue.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QKeyEvent>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace dg {
namespace qt {
namespace {

// One size for every text: the default 9 pt (12 px) family draws a 32-digit hash 249 px
// wide against a 223 px field and the About lines 504 px against 390. At 9 px (6.75 pt at
// 96 dpi) the widest of them takes 187 and 378 px.
constexpr int FontPixels = 9;

const QEvent::Type CallsWaiting = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type EventPosted = static_cast<QEvent::Type>(QEvent::registerEventType());

// A worker's call, waiting for the main thread.
struct Call {
    const std::function<void()>* action = nullptr;
    bool done = false;
};

// The hand-over goes through the standard library's lock and condition, which the thread
// sanitizer sees; Qt's posted event only wakes the main thread's loop.
struct HandOver {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<Call*> calls;
    bool running = false;
};

HandOver handOver;
std::atomic<std::thread::id> mainThread;

// Main thread only.
EventQueue queue;
EventRecord returned;

struct PostedEvent : QEvent {
    explicit PostedEvent(const EventRecord& posted) : QEvent(EventPosted), record(posted) {}
    EventRecord record;
};

// Carries out the waiting calls; a call that opens a dialog lets later ones run inside it.
void ServeCalls() {
    for (;;) {
        Call* call = nullptr;
        {
            std::lock_guard<std::mutex> lock(handOver.lock);
            if (handOver.calls.empty())
                return;
            call = handOver.calls.front();
            handOver.calls.pop_front();
        }
        (*call->action)();
        std::lock_guard<std::mutex> lock(handOver.lock);
        call->done = true;
        handOver.changed.notify_all();
    }
}

// Lives on the main thread: wakes its loop for calls and posted events, and offers every key
// press to the shortcut tables before any widget sees it, so that a focused line edit does
// not keep Ctrl+C for itself.
class Courier final : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == CallsWaiting) {
            ServeCalls();
            return true;
        }
        if (event->type() == EventPosted) {
            queue.Record(static_cast<PostedEvent*>(event)->record);
            return true;
        }
        return QObject::event(event);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && HandleShortcut(*static_cast<QKeyEvent*>(event)))
            return true;
        return QObject::eventFilter(watched, event);
    }
};

Courier* courier = nullptr;

} // namespace

void RunOnMain(const std::function<void()>& action) {
    if (std::this_thread::get_id() == mainThread.load()) {
        action();
        return;
    }
    std::unique_lock<std::mutex> lock(handOver.lock);
    if (!handOver.running)
        return;
    Call call{&action};
    handOver.calls.push_back(&call);
    QCoreApplication::postEvent(courier, new QEvent(CallsWaiting));
    handOver.changed.wait(lock, [&] { return call.done || !handOver.running; });
    if (!call.done)
        std::erase(handOver.calls, &call);
}

void RecordEvent(EventKind kind, int object, int window, int type) {
    queue.Record({kind, object, window, type});
}

void QueueEvent(EventKind kind, int object, int window, int type) {
    queue.Push({kind, object, window, type});
}

void DropEventsOf(int window) {
    queue.DropWindow(window);
}

bool EventsWaiting() {
    return !queue.Empty();
}

void PostEvent(EventKind kind, int object, int window, int type) {
    QCoreApplication::postEvent(courier, new PostedEvent({kind, object, window, type}));
}

} // namespace qt

using namespace qt;

void InitialisePlatform() {
    if (QApplication::instance() == nullptr) {
        // Qt keeps argc and argv for the life of the application.
        static int argc = 1;
        static char name[] = "digestorium";
        static char* argv[] = {name, nullptr};
        // Never destroyed: worker threads may still call in while the process ends.
        auto* application = new QApplication(argc, argv);
        QFont font = QApplication::font();
        font.setPixelSize(FontPixels);
        QApplication::setFont(font);
        courier = new Courier;
        application->installEventFilter(courier);
    }
    mainThread = std::this_thread::get_id();
    queue.Clear();
    std::lock_guard<std::mutex> lock(handOver.lock);
    handOver.running = true;
}

void ReleasePlatform() {
    ReleaseThreadList();
    for (int window = 0; window < WindowCount; ++window)
        CloseWindow(window);
    queue.Clear();
    // Workers waiting for a call, and those calling later, go on without it.
    std::lock_guard<std::mutex> lock(handOver.lock);
    handOver.running = false;
    handOver.changed.notify_all();
}

long long CurrentLocalDate() {
    return SystemLocalDate();
}

EventKind WaitEvent() {
    // Objects that Qt's own widgets delete later go here: no nested loop runs for them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EventRecord current;
    while (!queue.Pop(current))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    returned = current;
    return current.kind;
}

int EventControlNumber() {
    return returned.object;
}

int EventMenuItem() {
    return returned.object;
}

int EventWindowNumber() {
    return returned.window;
}

int EventType() {
    return returned.type;
}

} // namespace dg
