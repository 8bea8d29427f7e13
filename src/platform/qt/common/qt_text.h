#pragma once

// The program's Windows-1252 texts at the Qt boundary. Multi-line texts of
// the program separate lines with "\r\n"; Qt's text widgets use "\n".

#include <QString>

#include <string>
#include <string_view>

namespace qx::ui {

QString ToQString(std::string_view cp1252);
std::string FromQString(const QString& text);

// What a typed text becomes once it is sent, shown again: Windows-1252 by
// best fit (text/best_fit.h), after composing decomposed accents ("e" and a
// combining acute give "é"). A text of Windows-1252 characters comes back
// unchanged; line ends stay as they are.
QString FitToCp1252(const QString& typed);

// "\r\n" to "\n", for a multi-line edit.
QString ToQStringLines(std::string_view cp1252);
// "\n" to "\r\n" (a "\r\n" already there stays one line end).
std::string FromQStringLines(const QString& text);

// A UTF-8 literal of the sources (dialog templates, the dialog layer's own
// messages) as a QString.
inline QString FromUtf8(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace qx::ui
