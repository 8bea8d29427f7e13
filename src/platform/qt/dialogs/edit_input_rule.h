#pragma once

// What a one-line edit accepts from the keyboard: digits only for a number
// edit, and at most a given number of characters. Like the platform's edit
// rules, they filter what is typed or pasted only: a text put in by the
// program stays as it is and may be shortened, but nothing that breaks a
// rule can be added to it. A character Windows-1252 cannot hold becomes its
// best fit as it is typed ("ł" shows as "l"), so the edit shows what will be
// sent; the rules judge the fitted text.

#include <QValidator>

class QLineEdit;

namespace qx::ui {

enum class EditCharacters {
    Any,
    DigitsOnly,
};

class EditInputRule : public QValidator {
    Q_OBJECT

public:
    EditInputRule(QLineEdit& edit, EditCharacters characters);

    // No limit until set.
    void SetMaxChars(int maxChars);

    State validate(QString& input, int& pos) const override;

private:
    EditCharacters m_characters;
    int m_maxChars = -1;
    QString m_accepted;
};

} // namespace qx::ui
