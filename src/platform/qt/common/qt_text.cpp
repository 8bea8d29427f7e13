#include "platform/qt/common/qt_text.h"

#include "text/best_fit.h"
#include "text/cp1252.h"

namespace qx::ui {

QString ToQString(std::string_view cp1252)
{
    return FromUtf8(text::Cp1252ToUtf8(cp1252));
}

std::string FromQString(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return text::Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString FitToCp1252(const QString& typed)
{
    const QByteArray utf8 = typed.normalized(QString::NormalizationForm_C).toUtf8();
    return ToQString(text::Utf8ToCp1252BestFit(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))));
}

QString ToQStringLines(std::string_view cp1252)
{
    QString text = ToQString(cp1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string FromQStringLines(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QChar('\n'), QStringLiteral("\r\n"));
    return FromQString(lines);
}

} // namespace qx::ui
