#include "vesk_QtDispatcher.h"

#include <QCoreApplication>
#include <QEvent>

#include <utility>

#include "vesk_Guard.h"

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#endif

namespace {

// Qt hands events between threads inside its own library, which ThreadSanitizer cannot see
// into; the hand-over of each call is told to it here, so that a report means a fault of ours.
void HandedOver(void* call) {
#if defined(__SANITIZE_THREAD__)
    __tsan_release(call);
#else
    (void)call;
#endif
}

void TakenOver(void* call) {
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(call);
#else
    (void)call;
#endif
}

const QEvent::Type kCallEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class TCallEvent : public QEvent {
public:
    explicit TCallEvent(std::function<void()> call) : QEvent(kCallEvent), Call(std::move(call)) {
        HandedOver(this);
    }
    std::function<void()> Call;
};

class TCallReceiver : public QObject {
public:
    bool event(QEvent* event) override {
        // Before the event is looked at: it may come from another thread.
        TakenOver(event);
        if (event->type() != kCallEvent) return QObject::event(event);
        GuardedVoid("TQtUiDispatcher.Run", [event] { static_cast<TCallEvent*>(event)->Call(); });
        return true;
    }
};

}  // namespace

TQtUiDispatcher::TQtUiDispatcher() : FReceiver(std::make_unique<TCallReceiver>()) {}

TQtUiDispatcher::~TQtUiDispatcher() = default;

void TQtUiDispatcher::Post(std::function<void()> call) {
    if (!call || QCoreApplication::instance() == nullptr) return;
    QCoreApplication::postEvent(FReceiver.get(), new TCallEvent(std::move(call)));
}
