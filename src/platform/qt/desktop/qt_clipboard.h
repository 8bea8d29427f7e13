#pragma once

// The system clipboard through QClipboard. Qt tells a program of every
// change only on X11 (Wayland tells the focused window alone), which is why
// the program runs on Qt's xcb platform.

#include "platform/clipboard.h"

#include <QMetaObject>

namespace qx::platform {

class QtClipboard final : public Clipboard {
public:
    ~QtClipboard() override;

    std::optional<BitmapInfo> BitmapDescription() const override;
    std::optional<Bitmap> CopyBitmap() const override;
    void Watch(std::function<void()> onChange) override;
    void StopWatching() override;

private:
    QMetaObject::Connection m_connection;
};

} // namespace qx::platform
