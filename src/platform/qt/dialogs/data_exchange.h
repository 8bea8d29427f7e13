#pragma once

// Dialog data exchange: each DDX function moves one field to its control
// (DataDirection::ToControls) or back (FromControls); DDV functions check
// the field of the control exchanged just before them. Texts are
// Windows-1252 bytes; multi-line edits hold "\r\n" line ends.

#include "platform/qt/dialogs/dialog.h"

#include <string>

class QWidget;

namespace qx::ui {

class CDataExchange {
public:
    CDataExchange(CDialog& dialog, DataDirection direction);

    // True when data comes from the controls and is validated.
    const bool m_bSaveAndValidate;
    CDialog& m_dialog;

    // The control `controlId`, remembered for the DDV calls that follow.
    QWidget* PrepareCtrl(int controlId);

    // Ends the exchange: the remembered control gets the focus with its text
    // selected, and every later DDX and DDV call of this exchange does
    // nothing.
    void Fail();
    bool Failed() const { return m_failed; }

    QWidget* LastControl() const { return m_lastControl; }

private:
    QWidget* m_lastControl = nullptr;
    bool m_failed = false;
};

// Edit or label text.
void DDX_Text(CDataExchange& dx, int controlId, std::string& value);

// Check box: 0 unchecked, 1 checked.
void DDX_Check(CDataExchange& dx, int controlId, int& value);

// Radio group that starts at `controlId`: the index of the checked button
// in its group, -1 when none is checked.
void DDX_Radio(CDataExchange& dx, int controlId, int& value);

// To the controls: the edit accepts at most `maxChars` characters from the
// keyboard (a longer text already in it stays). From the controls: a longer
// value fails with "Tapez %1 caractères au maximum.".
void DDV_MaxChars(CDataExchange& dx, const std::string& value, int maxChars);

} // namespace qx::ui
