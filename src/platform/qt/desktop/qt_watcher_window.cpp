#include "platform/qt/desktop/qt_watcher_window.h"

#include "platform/qt/desktop/native_geometry.h"
#include "platform/qt/dialogs/app_icon_image.h"
#include "platform/qt/common/qt_text.h"
#include "resources/product_mark.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QTimer>

namespace qx::platform {

WatcherWidget::WatcherWidget(std::function<void()> onClosed)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_onClosed(std::move(onClosed))
{
    setWindowTitle(QtWatcherWindow::Title());
    setWindowIcon(ui::AppIcon());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

void WatcherWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    // A Wayland compositor never tells a window that it is minimised, so Qt
    // reports it restored at once: minimising it again would never end.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
    // The tester cannot open the window from its taskbar button.
    if (isVisible() && !isMinimized()) QTimer::singleShot(0, this, [this] {
        if (isVisible()) showMinimized();
    });
}

void WatcherWidget::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_onClosed();
}

QtWatcherWindow::QtWatcherWindow() = default;
QtWatcherWindow::~QtWatcherWindow() = default;

QString QtWatcherWindow::Title()
{
    return ui::FromUtf8(res::kProductName);
}

bool QtWatcherWindow::Create(ScreenRect screen, std::function<void()> onClosed)
{
    m_widget = std::make_unique<WatcherWidget>(std::move(onClosed));
    m_widget->setGeometry(LogicalRect(screen).toRect());
    m_widget->setWindowState(Qt::WindowMinimized);
    return true;
}

void QtWatcherWindow::Show(WatcherShow show)
{
    if (!m_widget) return;
    if (show == WatcherShow::Hidden) {
        m_widget->hide();
        return;
    }
    m_widget->showMinimized();
}

void QtWatcherWindow::Raise()
{
    if (!m_widget || !m_widget->isVisible()) return;
    m_widget->raise();
    m_widget->activateWindow();
}

} // namespace qx::platform
