#include "app/qt/display_session.h"

#include <QByteArray>
#include <QtGlobal>

namespace qx::app {

const char* const kXWaylandNeeded =
    "QXBêta ne peut pas surveiller le presse-papiers de ce bureau Wayland.\n"
    "Installez et activez XWayland, puis relancez QXBêta.";

DisplaySession ChooseDisplaySession()
{
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    if (!chosen.isEmpty() ? !chosen.startsWith("wayland") : (!wayland || x11)) {
        if (chosen.isEmpty() && wayland) qputenv("QT_QPA_PLATFORM", "xcb");
        return DisplaySession{};
    }
    if (chosen.isEmpty()) qputenv("QT_QPA_PLATFORM", "wayland");
    DisplaySession session;
    session.selection = platform::wayland::DataControlSelection::Open();
    if (session.selection) {
        session.kind = DisplayKind::WaylandDataControl;
    } else {
        session.kind = platform::wayland::Connect() ? DisplayKind::WaylandWithoutClipboard
                                                    : DisplayKind::WaylandUnreachable;
    }
    return session;
}

} // namespace qx::app
