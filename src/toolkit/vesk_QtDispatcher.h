#pragma once
// Runs calls posted by worker threads in the Qt main event loop, in the order they were
// posted. A call still queued when the dispatcher goes is dropped.

#include <functional>
#include <memory>

#include <QObject>

#include "vesk_Dispatcher.h"

class TQtUiDispatcher : public platform::TUiDispatcher {
public:
    // Create it on the thread that runs the calls (the UI thread).
    TQtUiDispatcher();
    ~TQtUiDispatcher() override;
    TQtUiDispatcher(const TQtUiDispatcher&) = delete;
    TQtUiDispatcher& operator=(const TQtUiDispatcher&) = delete;

    void Post(std::function<void()> call) override;

private:
    std::unique_ptr<QObject> FReceiver;
};
