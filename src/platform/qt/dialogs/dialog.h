#pragma once

// Our small dialog layer: a dialog object built on a dialog template of
// resources/, run modally (DoModal) or modeless (Create). Its window exists
// only while the dialog runs; the object and its data fields outlive it.
// Data moves between controls and fields only through DoDataExchange
// (data_exchange.h), called by UpdateData.

#include "platform/qt/dialogs/dialog_units.h"
#include "resources/dialog_template.h"

#include <QPoint>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QDialog;
class QWidget;

namespace qx::ui {

class CDataExchange;
class DialogWindow;

// Command numbers of the platform.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int ID_HELP = 57670;

// Result of DoModal when the dialog could not be made.
inline constexpr int kDialogFailed = -1;

enum class DataDirection {
    ToControls,   // UpdateData(FALSE)
    FromControls, // UpdateData(TRUE): transfer and validate
};

enum class ShowCommand {
    Hide,
    Show,
};

class CDialog {
public:
    explicit CDialog(int templateId);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Builds the window, runs OnInitDialog and waits until EndDialog; the
    // window is gone when it returns. The result passed to EndDialog, or
    // kDialogFailed when the template is missing.
    int DoModal();

    // Builds the window without waiting, shown at once when the template is
    // visible, and runs OnInitDialog. False when the template is missing or
    // OnInitDialog ended the dialog.
    bool Create();
    // Closes a modeless dialog's window; not from the dialog's own handlers.
    void DestroyWindow();

    // Runs DoDataExchange in `direction`; false when a validation failed
    // (its message has been shown and its control has the focus).
    bool UpdateData(DataDirection direction = DataDirection::FromControls);

    // Ends a modal dialog with `result`; hides a modeless one.
    void EndDialog(int result);

    void ShowWindow(ShowCommand command);

    // The control `controlId`, or null when the window is not open or the
    // template has no such control.
    QWidget* GetDlgItem(int controlId) const;

    // The dialog's window while it runs, else null.
    QDialog* Window() const;

    const res::DialogTemplate* Template() const { return m_template; }
    BaseUnits Units() const { return m_units; }

    // Routes a command number as a button of the dialog would.
    void SendCommand(int command);

    // Runs system-menu command `command` (the dialog's context menu here).
    void SendSysCommand(int command);

protected:
    // The base transfers the fields into the controls. True leaves the
    // focus on the first tab stop.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange& dx);
    // The base takes the controls into the fields and ends with IDOK when
    // they pass their validation.
    virtual void OnOK();
    // The base ends with IDCANCEL.
    virtual void OnCancel();
    // The help command (ID_HELP); the base does nothing.
    virtual void OnHelp();
    // A command of the system menu; the base does nothing.
    virtual void OnSysCommand(int command);

    // The handler of a button's command number, in place of the default
    // routing (IDOK to OnOK, IDCANCEL to OnCancel, ID_HELP to OnHelp).
    void OnCommand(int command, std::function<void()> handler);

    // Appends an entry to the dialog's system menu, which is offered as the
    // dialog's context menu; an empty text appends a separator.
    void AppendSystemMenu(int command, const QString& text);

private:
    friend class DialogWindow;
    friend class CDataExchange;

    struct MenuEntry {
        int command;
        QString text;
    };

    bool BuildWindow();
    void ReleaseWindow();
    void FocusFirstTabStop();
    void ShowSystemMenu(const QPoint& globalPos);

    const res::DialogTemplate* m_template;
    BaseUnits m_units;
    std::unique_ptr<DialogWindow> m_window;
    std::map<int, QPointer<QWidget>> m_controls;
    std::map<int, std::function<void()>> m_handlers;
    std::vector<MenuEntry> m_systemMenu;
    bool m_ended = false;
    int m_endResult = IDCANCEL;
};

} // namespace qx::ui
