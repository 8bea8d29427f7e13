#pragma once

// The about box (100), the progress window (139) shown while the report
// dialog opens, and the busy window (141) shown while a report is written
// or printed.

#include "platform/qt/dialogs/dialog.h"

#include <string>

namespace qx::report {

class CAboutDlg final : public ui::CDialog {
public:
    CAboutDlg();

    std::string m_strVersion;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::CDataExchange& dx) override;
};

class CProgressDlg final : public ui::CDialog {
public:
    CProgressDlg();

    // Sets the bar (0 to 100) and paints it at once.
    void SetPos(int position);
    int Position() const;

    // Shows the window and paints it at once, although the thread is busy.
    void ShowAndPaint();
};

class CBusyDlg final : public ui::CDialog {
public:
    CBusyDlg();

    // Creates the window and paints it at once.
    bool CreateAndPaint();
};

} // namespace qx::report
