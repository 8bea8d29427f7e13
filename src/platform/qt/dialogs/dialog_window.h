#pragma once

// The Qt window of a running CDialog. Escape, the close box and Enter on
// the default button reach the dialog object as the commands IDCANCEL and
// IDOK; a right click on the dialog offers its system menu.

#include <QDialog>

namespace qx::ui {

class CDialog;

class DialogWindow : public QDialog {
    Q_OBJECT

public:
    explicit DialogWindow(CDialog& owner);

    void accept() override;
    void reject() override;

    // Ends the nested loop of DoModal (or hides a modeless window).
    void Finish(int result);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CDialog& m_owner;
};

} // namespace qx::ui
