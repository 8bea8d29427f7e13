#include "platform/qt/desktop/qt_tray_presence.h"

#include "platform/qt/common/qt_text.h"
#include "platform/qt/dialogs/app_icon_image.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace qx::platform {

std::unique_ptr<QMenu> MakePresenceMenu(const PresenceMenu& menu)
{
    auto made = std::make_unique<QMenu>();
    QObject::connect(made->addAction(ui::ToQString(res::LoadResString(res::kPresenceMenuAbout))),
                     &QAction::triggered, made.get(), [about = menu.about] { about(); });
    QObject::connect(made->addAction(ui::ToQString(res::LoadResString(res::kPresenceMenuQuit))),
                     &QAction::triggered, made.get(), [quit = menu.quit] { quit(); });
    return made;
}

QtTrayPresence::QtTrayPresence() = default;

QtTrayPresence::~QtTrayPresence() = default;

bool QtTrayPresence::Show(PresenceMenu menu)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
    m_menu = MakePresenceMenu(menu);
    m_icon = std::make_unique<QSystemTrayIcon>(ui::AppIcon());
    m_icon->setContextMenu(m_menu.get());
    m_icon->show();
    return true;
}

void QtTrayPresence::SetToolTip(const std::string& text)
{
    if (m_icon) m_icon->setToolTip(ui::ToQStringLines(text));
}

} // namespace qx::platform
