#pragma once

// The pick surface on Qt: a frameless window above all others covering the
// monitor or the desktop the image shows, the image stretched over it so
// that each image pixel lands on one device pixel (or, on a desktop the
// server shows scaled, where that pixel is), under the pick cursor. The pick runs in a nested event loop; a surface that is
// closed, hidden or minimised by anyone but the pick ends it as a cancel.

#include "platform/pick_surface.h"

#include <QImage>
#include <QPoint>
#include <QSizeF>
#include <QTransform>
#include <QWidget>

#include <functional>
#include <memory>

namespace qx::platform {

enum class SurfaceEvent {
    LeftUp,
    RightUp,
    Lost,
};

class PickWidget : public QWidget {
    Q_OBJECT

public:
    PickWidget();

    void SetImage(QImage image, ImagePlacement placement, const ScreenArea& over);
    // Event, image pixel; called for releases and the loss of the surface.
    void SetListener(std::function<void(SurfaceEvent, QPoint)> listener);
    // Hides without counting as a loss.
    void Retire();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPoint ImagePoint(const QPointF& position) const;
    QTransform ImageToSurface() const;
    QRect CursorArea(QPoint imagePoint) const;
    void Report(SurfaceEvent event, QPoint point = {});

    QImage m_background; // the image as shown: on white when it is smaller
    Size m_imageSize;    // the area's size in image pixels
    QSizeF m_surface;    // the area's size in logical units
    QPoint m_cursor{-1000, -1000}; // image pixels
    std::function<void(SurfaceEvent, QPoint)> m_listener;
    bool m_retiring = false;
};

class QtPickSurface final : public PickSurface {
public:
    QtPickSurface();
    ~QtPickSurface() override;

    void Show(const Bitmap& image, ImagePlacement placement, const ScreenArea& over) override;
    void Hide() override;
    void RunPick(PickEvents& events) override;

    // The surface's window while it is shown, else null.
    QWidget* Window() const;

private:
    std::unique_ptr<PickWidget> m_widget;
};

} // namespace qx::platform
