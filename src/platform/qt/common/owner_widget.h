#pragma once

// The owner window handle of platform/owner_window.h is the widget itself.

#include "platform/owner_window.h"

#include <QWidget>

namespace qx::platform {

inline OwnerWindow* OwnerWindowOf(QWidget* widget)
{
    return reinterpret_cast<OwnerWindow*>(widget);
}

inline QWidget* WidgetOf(OwnerWindow* owner)
{
    return reinterpret_cast<QWidget*>(owner);
}

} // namespace qx::platform
