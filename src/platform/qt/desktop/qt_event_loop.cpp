#include "platform/qt/desktop/qt_event_loop.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace qx::platform {

void QtEventLoop::Post(std::function<void()> task)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

void QtEventLoop::Run()
{
    QCoreApplication::exec();
}

void QtEventLoop::Quit()
{
    QCoreApplication::quit();
}

} // namespace qx::platform
