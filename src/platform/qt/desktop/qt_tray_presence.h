#pragma once

// The status-area icon on Qt (QSystemTrayIcon): the product icon, the
// tooltip the application gives it, and a menu with "À propos de QXBêta..."
// and "Quitter" (texts 154 and 155).

#include "platform/presence.h"

#include <QString>

#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace qx::platform {

// The menu of the icon, its entries in this order.
std::unique_ptr<QMenu> MakePresenceMenu(const PresenceMenu& menu);

class QtTrayPresence final : public Presence {
public:
    QtTrayPresence();
    ~QtTrayPresence() override;

    bool Show(PresenceMenu menu) override;
    void SetToolTip(const std::string& text) override;

    // The icon once shown, else null.
    const QSystemTrayIcon* Icon() const { return m_icon.get(); }

private:
    std::unique_ptr<QMenu> m_menu;
    // After the menu it shows, so that it goes first.
    std::unique_ptr<QSystemTrayIcon> m_icon;
};

} // namespace qx::platform
