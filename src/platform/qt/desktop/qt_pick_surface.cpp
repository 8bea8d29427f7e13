#include "platform/qt/desktop/qt_pick_surface.h"

#include "platform/qt/desktop/native_geometry.h"
#include "platform/qt/desktop/pick_cursor_image.h"
#include "platform/surface_pixel.h"
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

// The image as the surface shows it over the area: pixel for pixel from the
// area's top-left corner, white where a smaller image leaves it uncovered.
QImage Background(const QImage& image, ImagePlacement placement, Size area)
{
    if (placement == ImagePlacement::CoversArea) return image.convertToFormat(QImage::Format_RGB32);
    QImage shown(QSize(area.width, area.height).expandedTo(image.size()), QImage::Format_RGB32);
    shown.fill(Qt::white);
    QPainter painter(&shown);
    painter.drawImage(0, 0, image);
    return shown;
}

// True when `area` is exactly what one screen shows.
QScreen* ScreenShowing(const ScreenRect& area)
{
    QScreen* screen = ScreenAtNative(area.x, area.y);
    if (screen == nullptr) return nullptr;
    const QRectF logical = LogicalRect(area);
    const QRect geometry = screen->geometry();
    return logical.topLeft() == QPointF(geometry.topLeft()) && logical.size().toSize() == geometry.size() ? screen
                                                                                                         : nullptr;
}

} // namespace

PickWidget::PickWidget()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setMouseTracking(true);
    setCursor(Qt::BlankCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PickWidget::SetImage(QImage image, ImagePlacement placement, const ScreenArea& over)
{
    m_background = Background(image, placement, over.image);
    m_imageSize = over.image;
    m_surface = LogicalRect(over.area).size();
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

QPoint PickWidget::ImagePoint(const QPointF& position) const
{
    const Pixel pixel = SurfacePixel(position.x(), position.y(), m_surface.width(), m_surface.height(), m_imageSize);
    return QPoint(pixel.x, pixel.y);
}

QTransform PickWidget::ImageToSurface() const
{
    if (m_imageSize.width <= 0 || m_imageSize.height <= 0) return QTransform();
    return QTransform::fromScale(m_surface.width() / m_imageSize.width, m_surface.height() / m_imageSize.height);
}

QRect PickWidget::CursorArea(QPoint imagePoint) const
{
    return ImageToSurface().mapRect(QRectF(imagePoint, QSizeF(33, 33))).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void PickWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setTransform(ImageToSurface());
    painter.drawImage(0, 0, m_background);
    if (m_background.rect().contains(m_cursor)) painter.drawImage(m_cursor, PickCursorOver(m_background, m_cursor));
}

void PickWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint moved = ImagePoint(event->position());
    update(CursorArea(m_cursor));
    m_cursor = moved;
    update(CursorArea(m_cursor));
}

void PickWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) Report(SurfaceEvent::LeftUp, ImagePoint(event->position()));
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

void QtPickSurface::Show(const Bitmap& image, ImagePlacement placement, const ScreenArea& over)
{
    if (!m_widget) m_widget = std::make_unique<PickWidget>();
    m_widget->SetImage(QImageFromBitmap(image), placement, over);
    // One monitor: full screen on it, as the window manager knows it. The
    // whole desktop spans monitors, which no manager's full screen does.
    QScreen* screen = ScreenShowing(over.area);
    m_widget->setWindowFlag(Qt::X11BypassWindowManagerHint, screen == nullptr);
    m_widget->setGeometry(LogicalRect(over.area).toAlignedRect());
    if (screen != nullptr) {
        m_widget->setScreen(screen);
        m_widget->showFullScreen();
    } else {
        m_widget->show();
    }
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
