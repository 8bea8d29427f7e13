#include "platform/qt/desktop/qt_pick_surface.h"

#include "platform/qt/desktop/pick_cursor_image.h"
#include "platform/qt/common/qimage_bitmap.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace qx::platform {

namespace {

QScreen* PrimaryScreen()
{
    return QGuiApplication::primaryScreen();
}

qreal Ratio()
{
    return PrimaryScreen() ? PrimaryScreen()->devicePixelRatio() : 1.0;
}

// The image as the surface shows it over the whole screen: pixel for pixel
// from the origin, white where a smaller image leaves the screen uncovered.
QImage Background(const QImage& image, ImagePlacement placement)
{
    if (placement == ImagePlacement::CoversScreen) return image.convertToFormat(QImage::Format_RGB32);
    const QSize screen = PrimaryScreen() ? PrimaryScreen()->geometry().size() * Ratio() : image.size();
    QImage shown(screen.expandedTo(image.size()), QImage::Format_RGB32);
    shown.fill(Qt::white);
    QPainter painter(&shown);
    painter.drawImage(0, 0, image);
    return shown;
}

} // namespace

PickWidget::PickWidget()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setMouseTracking(true);
    setCursor(Qt::BlankCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PickWidget::SetImage(QImage image, ImagePlacement placement)
{
    m_background = Background(image, placement);
    update();
}

void PickWidget::SetListener(std::function<void(SurfaceEvent, QPoint)> listener)
{
    m_listener = std::move(listener);
}

void PickWidget::Retire()
{
    m_retiring = true;
    hide();
    m_retiring = false;
}

QPoint PickWidget::DevicePoint(const QPointF& globalPosition) const
{
    return (globalPosition * Ratio()).toPoint();
}

QRect PickWidget::CursorArea(QPoint devicePoint) const
{
    const qreal ratio = Ratio();
    return QRect(devicePoint / ratio, QSize(33, 33) / ratio + QSize(1, 1));
}

void PickWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const qreal ratio = Ratio();
    painter.scale(1 / ratio, 1 / ratio);
    painter.fillRect(QRect(QPoint(0, 0), size() * ratio), Qt::white);
    painter.drawImage(0, 0, m_background);
    if (rect().contains(m_cursor / ratio)) painter.drawImage(m_cursor, PickCursorOver(m_background, m_cursor));
}

void PickWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint moved = DevicePoint(event->globalPosition());
    update(CursorArea(m_cursor));
    m_cursor = moved;
    update(CursorArea(m_cursor));
}

void PickWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) Report(SurfaceEvent::LeftUp, DevicePoint(event->globalPosition()));
    if (event->button() == Qt::RightButton) Report(SurfaceEvent::RightUp);
}

void PickWidget::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!m_retiring) Report(SurfaceEvent::Lost);
}

void PickWidget::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Report(SurfaceEvent::Lost);
}

void PickWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) Report(SurfaceEvent::Lost);
}

void PickWidget::Report(SurfaceEvent event, QPoint point)
{
    if (m_listener) m_listener(event, point);
}

QtPickSurface::QtPickSurface() = default;
QtPickSurface::~QtPickSurface() = default;

void QtPickSurface::Show(const Bitmap& image, ImagePlacement placement)
{
    if (!m_widget) m_widget = std::make_unique<PickWidget>();
    m_widget->SetImage(QImageFromBitmap(image), placement);
    const QRect screen = PrimaryScreen() ? PrimaryScreen()->geometry() : QRect(0, 0, image.width, image.height);
    m_widget->setGeometry(screen);
    m_widget->showFullScreen();
    m_widget->raise();
    m_widget->activateWindow();
}

void QtPickSurface::Hide()
{
    if (m_widget) m_widget->Retire();
}

void QtPickSurface::RunPick(PickEvents& events)
{
    if (!m_widget || !m_widget->isVisible()) {
        events.OnSurfaceLost();
        return;
    }
    QEventLoop loop;
    m_widget->SetListener([&](SurfaceEvent event, QPoint point) {
        switch (event) {
        case SurfaceEvent::LeftUp: events.OnLeftButtonUp(point.x(), point.y()); break;
        case SurfaceEvent::RightUp: events.OnRightButtonUp(); break;
        case SurfaceEvent::Lost: events.OnSurfaceLost(); break;
        }
        if (!events.IsPicking()) loop.quit();
    });
    // The program ending (the session closing) takes the surface with it.
    const QMetaObject::Connection quitting = QObject::connect(
        QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &loop, [&] {
            events.OnSurfaceLost();
            loop.quit();
        });
    m_widget->grabMouse();
    if (events.IsPicking()) loop.exec();
    m_widget->releaseMouse();
    m_widget->SetListener(nullptr);
    QObject::disconnect(quitting);
}

QWidget* QtPickSurface::Window() const
{
    return m_widget && m_widget->isVisible() ? m_widget.get() : nullptr;
}

} // namespace qx::platform
