#include "vesk_QtDispatcher.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <utility>

void TQtUiDispatcher::Post(std::function<void()> call) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || !call) return;
    QMetaObject::invokeMethod(app, std::move(call), Qt::QueuedConnection);
}
