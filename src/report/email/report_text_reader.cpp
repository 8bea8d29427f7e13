#include "report/email/report_text_reader.h"

#include "report/report_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <string>

namespace qx::report {
namespace {

using namespace res;

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlankLine = "\r\n\r\n";

// A cursor over the text from the front.
class Reader {
public:
    explicit Reader(std::string_view text) : m_rest(text) {}

    bool Skip(std::string_view expected)
    {
        if (!m_rest.starts_with(expected)) return false;
        m_rest.remove_prefix(expected.size());
        return true;
    }

    // The rest of the line after `label`, and its line end.
    std::optional<std::string> Line(std::string_view label)
    {
        if (!Skip(label)) return std::nullopt;
        const std::size_t end = m_rest.find(kLineEnd);
        if (end == std::string_view::npos) return std::nullopt;
        std::string value(m_rest.substr(0, end));
        m_rest.remove_prefix(end + kLineEnd.size());
        return value;
    }

    // Everything up to the first `marker`, which is consumed too.
    std::optional<std::string_view> UpTo(std::string_view marker)
    {
        const std::size_t at = m_rest.find(marker);
        if (at == std::string_view::npos) return std::nullopt;
        const std::string_view before = m_rest.substr(0, at);
        m_rest.remove_prefix(at + marker.size());
        return before;
    }

    std::string_view Rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

// Splits `text` at the last `marker`: what follows it goes to `after`, and
// `text` keeps what precedes it.
bool TakeAfterLast(std::string_view& text, std::string_view marker, std::string& after)
{
    const std::size_t at = text.rfind(marker);
    if (at == std::string_view::npos) return false;
    after = std::string(text.substr(at + marker.size()));
    text = text.substr(0, at);
    return true;
}

// The answer whose label-and-text ends `text`, which is cut off; -1 when
// none does.
int TakeAnswerAtEnd(std::string_view& text, StringId label, const AnswerTexts& answers)
{
    for (int answer = 0; answer < static_cast<int>(answers.size()); ++answer) {
        const std::string piece = AnsweredLabel(label, answer, answers);
        if (text.ends_with(piece)) {
            text.remove_suffix(piece.size());
            return answer;
        }
    }
    return -1;
}

bool ReadIdentity(Reader& in, Identity& id)
{
    const auto field = [&in](StringId label, std::string& value) {
        std::optional<std::string> line = in.Line(LoadResString(label));
        if (line) value = std::move(*line);
        return line.has_value();
    };
    if (!field(kLabelName, id.m_strName) || !field(kLabelCompany, id.m_strCompany) ||
        !field(kLabelAddress, id.m_strAddress))
        return false;
    std::string place;
    if (!field(kLabelAddressIndent, place)) return false;
    const std::size_t dash = place.find(" - ");
    if (dash == std::string::npos) return false;
    id.m_strPostalCode = place.substr(0, dash);
    id.m_strTown = place.substr(dash + 3);
    return field(kLabelPhone, id.m_strPhone) && field(kLabelFax, id.m_strFax) &&
           field(kLabelEmail, id.m_strEmail) && field(kLabelSerial, id.m_strSerial);
}

// From the end: the four lists, the test mode, the system version and the
// reproducible answer; `text` keeps what precedes them (up to the comments).
bool ReadTail(std::string_view& text, CReportRecord& r)
{
    const std::string lf(kLineEnd);
    if (!TakeAfterLast(text, lf + LoadResString(kLabelDllOnDisk) + lf, r.m_strDllOnDisk) ||
        !TakeAfterLast(text, lf + LoadResString(kLabelExeOnDisk) + lf, r.m_strExeOnDisk) ||
        !TakeAfterLast(text, lf + LoadResString(kLabelModules32) + lf, r.m_strModules32) ||
        !TakeAfterLast(text, std::string(kBlankLine) + LoadResString(kLabelDll16) + lf, r.m_strDll16))
        return false;

    std::string system;
    if (!TakeAfterLast(text, lf + LoadResString(kLabelWindowsVersion), system)) return false;
    std::string_view version = system;
    const std::string modeLabel = lf + LoadResString(kLabelTestMode);
    const std::size_t mode = version.find(modeLabel);
    if (mode != std::string_view::npos) {
        std::string_view answered = version.substr(mode + lf.size());
        r.m_nTestMode = TakeAnswerAtEnd(answered, kLabelTestMode, kTestModeAnswers);
        if (r.m_nTestMode < 0 || !answered.empty()) return false;
        version = version.substr(0, mode);
    }
    if (version.find(kLineEnd) != std::string_view::npos) return false;
    r.m_strWindowsVersion = std::string(version);

    r.m_nReproducible = TakeAnswerAtEnd(text, kLabelReproducible, kReproducibleAnswers);
    if (!text.ends_with(kBlankLine)) return false;
    text.remove_suffix(kBlankLine.size());
    return true;
}

} // namespace

std::optional<CReportRecord> ParseReportText(std::string_view text)
{
    CReportRecord r;
    std::string_view body = text;
    if (!ReadTail(body, r)) return std::nullopt;

    Reader in(body);
    if (!in.Skip(kBlankLine) || !in.UpTo(kBlankLine) || !ReadIdentity(in, r.m_identity)) return std::nullopt;
    const std::string lf(kLineEnd);
    if (!in.Skip(lf + LoadResString(kLabelDescription) + lf)) return std::nullopt;
    const std::optional<std::string_view> description =
        in.UpTo(std::string(kBlankLine) + LoadResString(kLabelSteps) + lf);
    if (!description) return std::nullopt;
    r.m_strDescription = std::string(*description);

    std::string_view incident = in.Rest();
    if (!TakeAfterLast(incident, std::string(kBlankLine) + LoadResString(kLabelComments) + lf, r.m_strComments))
        return std::nullopt;
    r.m_strSteps = std::string(incident);
    return r;
}

} // namespace qx::report
