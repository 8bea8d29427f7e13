#pragma once

// The clipboard on a Wayland desktop without X, through the compositor's
// data-control protocol: told of every change while the program waits in
// the background, which Qt's own Wayland clipboard is not. The image is
// fetched once per change, as PNG when the source offers it.

#include "platform/clipboard.h"
#include "platform/wayland/data_control_selection.h"

#include <QImage>
#include <QSocketNotifier>

#include <memory>

namespace qx::platform {

class DataControlClipboard final : public Clipboard {
public:
    explicit DataControlClipboard(std::unique_ptr<wayland::DataControlSelection> selection);
    ~DataControlClipboard() override;

    std::optional<BitmapInfo> BitmapDescription() const override;
    std::optional<Bitmap> CopyBitmap() const override;
    void Watch(std::function<void()> onChange) override;
    void StopWatching() override;

private:
    const QImage& Image() const;

    std::unique_ptr<wayland::DataControlSelection> m_selection;
    QSocketNotifier m_notifier;
    std::function<void()> m_onChange;
    mutable std::optional<QImage> m_image; // of the current selection, once fetched
};

} // namespace qx::platform
