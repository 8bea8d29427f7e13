#include "platform/qt/dialogs/edit_input_rule.h"

#include "platform/qt/common/qt_text.h"

#include <QLineEdit>

#include <algorithm>

namespace qx::ui {

EditInputRule::EditInputRule(QLineEdit& edit, EditCharacters characters)
    : QValidator(&edit)
    , m_characters(characters)
    , m_accepted(edit.text())
{
    connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_accepted = text; });
}

void EditInputRule::SetMaxChars(int maxChars)
{
    m_maxChars = maxChars;
}

namespace {

qsizetype NonDigits(const QString& text)
{
    return std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c < u'0' || c > u'9'; });
}

} // namespace

QValidator::State EditInputRule::validate(QString& input, int& pos) const
{
    // What is typed is shown as it will be sent; the rules below judge that.
    const QString fitted = FitToCp1252(input);
    if (fitted != input) {
        pos = static_cast<int>(FitToCp1252(input.left(pos)).size());
        input = fitted;
    }
    if (m_characters == EditCharacters::DigitsOnly && NonDigits(input) > NonDigits(m_accepted)) return Invalid;
    if (m_maxChars >= 0 && input.size() > m_maxChars && input.size() > m_accepted.size()) return Invalid;
    return Acceptable;
}

} // namespace qx::ui
