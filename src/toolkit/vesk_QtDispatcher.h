#pragma once
// Runs calls posted by worker threads in the Qt main event loop.

#include <functional>

#include "vesk_Dispatcher.h"

class TQtUiDispatcher : public platform::TUiDispatcher {
public:
    void Post(std::function<void()> call) override;
};
