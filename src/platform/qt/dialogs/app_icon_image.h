#pragma once

// Icon 128 as Qt images: the dialogs' icon controls and window icons.

#include <QIcon>
#include <QImage>

namespace qx::ui {

QImage AppIconImage();
QIcon AppIcon();

} // namespace qx::ui
