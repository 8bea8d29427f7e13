// QXBêta: waits beside the Orvane environment for a screenshot on the
// clipboard and opens an incident report for it.

#include "app/qt/command_line.h"
#include "app/core/beta_app.h"
#include "app/qt/display_session.h"
#include "app/qt/qt_app_dialogs.h"
#include "config/profile.h"
#include "platform/posix/posix_file_reader.h"
#include "platform/qt/desktop/data_control_clipboard.h"
#include "platform/qt/desktop/local_single_instance.h"
#include "platform/qt/desktop/qt_clipboard.h"
#include "platform/qt/desktop/qt_event_loop.h"
#include "platform/qt/desktop/qt_message_boxes.h"
#include "platform/qt/desktop/qt_pick_surface.h"
#include "platform/qt/desktop/qt_tray_presence.h"
#include "platform/qt/desktop/qt_watcher_window.h"
#include "platform/qt/desktop/wayland_desktop.h"
#include "platform/qt/desktop/x11_desktop.h"
#include "platform/qt/dialogs/app_icon_image.h"
#include "print/print_command.h"
#include "report/email/email_command.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <optional>

int main(int argc, char* argv[])
{
    if (const auto answered = qx::app::AnswerInformationRequest(argc, argv)) return *answered;
    qx::app::DisplaySession session = qx::app::ChooseDisplaySession();
    if (session.kind == qx::app::DisplayKind::WaylandUnreachable) {
        std::fprintf(stderr, "%s\n", qx::app::kXWaylandNeeded);
        return 1;
    }
    QApplication application(argc, argv);
    // The program ends when its watcher window is closed, not when the
    // last dialog goes.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(qx::ui::AppIcon());

    if (session.kind == qx::app::DisplayKind::WaylandWithoutClipboard) {
        std::fprintf(stderr, "%s\n", qx::app::kXWaylandNeeded);
        QMessageBox::warning(nullptr, QStringLiteral("QXBêta"), QString::fromUtf8(qx::app::kXWaylandNeeded));
        return 1;
    }

    const qx::config::Profile profile = qx::config::Profile::ForCurrentUser();
    qx::platform::PosixFileReader files;
    qx::platform::QtMessageBoxes messages;
    qx::platform::X11Desktop x11Desktop;
    qx::platform::WaylandDesktop waylandDesktop;
    qx::platform::QtClipboard qtClipboard;
    std::optional<qx::platform::DataControlClipboard> dataControlClipboard;
    const bool onWayland = session.kind == qx::app::DisplayKind::WaylandDataControl;
    if (onWayland) dataControlClipboard.emplace(std::move(session.selection));
    qx::platform::Desktop& desktop = onWayland ? static_cast<qx::platform::Desktop&>(waylandDesktop) : x11Desktop;
    qx::platform::Clipboard& clipboard =
        onWayland ? static_cast<qx::platform::Clipboard&>(*dataControlClipboard) : qtClipboard;
    qx::platform::QtEventLoop loop;
    qx::platform::LocalSingleInstance instance;
    qx::platform::QtWatcherWindow watcher;
    qx::platform::QtPickSurface pickSurface;
    qx::platform::QtTrayPresence presence;

    const std::unique_ptr<qx::report::ReportCommand> print = qx::print::MakePrintCommand();
    const std::unique_ptr<qx::report::ReportCommand> email = qx::report::MakeEmailCommand();
    qx::app::QtAppDialogs dialogs(profile, qx::report::ReportCommands{print.get(), email.get()});

    qx::app::CBetaApp app(qx::app::AppServices{profile, files, messages, desktop, clipboard, loop, instance, watcher,
                                               pickSurface, dialogs, presence});
    return app.InitInstance() ? 0 : 1;
}
