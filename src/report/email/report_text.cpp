#include "report/email/report_text.h"

#include "resources/string_table.h"

#include <cstdint>
#include <span>

namespace qx::report {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kBlankLine = "\r\n\r\n";

// String-table texts of the report text.
enum TextId : int {
    kTitle = 113, // "Rapport Bêta Version à faxer au " and the support fax number
    kName = 116,
    kCompany = 117,
    kSerial = 118,
    kAddress = 119,
    kTownIndent = 120,
    kPhone = 121,
    kFax = 122,
    kEmail = 123,
    kDescription = 124,
    kSteps = 125,
    kComments = 126,
    kReproducible = 127,
    kSystemVersion = 128,
    kTestMode = 129,
    kDll16 = 131,
    kModules32 = 132,
    kExeOnDisk = 133,
    kDllOnDisk = 134,
    kYes = 141,
    kNo = 142,
    kDontKnow = 143,
    kMode16 = 144,
    kMode32 = 145,
};

// The label followed by the text of answer 0, 1 or 2; empty for any other answer.
std::string AnswerPiece(const char* before, TextId label, int answer, const TextId (&answers)[3])
{
    if (answer < 0 || answer > 2) return {};
    return before + LoadResString(label) + LoadResString(answers[answer]);
}

} // namespace

std::array<std::string, kReportTextPieces> BuildReportTextPieces(const CReportRecord& r)
{
    const auto text = [](TextId id) { return LoadResString(id); };
    return {
        kBlankLine,
        text(kTitle),
        kBlankLine + text(kName) + r.m_strName + kLineEnd,
        text(kCompany) + r.m_strCompany + kLineEnd,
        text(kAddress) + r.m_strAddress + kLineEnd,
        text(kTownIndent) + r.m_strPostalCode + " - " + r.m_strTown + kLineEnd,
        text(kPhone) + r.m_strPhone + kLineEnd,
        text(kFax) + r.m_strFax + kLineEnd,
        text(kEmail) + r.m_strEmail + kLineEnd,
        text(kSerial) + r.m_strSerial + kLineEnd,
        kLineEnd + text(kDescription) + kLineEnd + r.m_strDescription,
        kBlankLine + text(kSteps) + kLineEnd + r.m_strSteps,
        kBlankLine + text(kComments) + kLineEnd + r.m_strComments,
        kBlankLine,
        AnswerPiece("", kReproducible, r.m_nReproducible, {kYes, kNo, kDontKnow}),
        kLineEnd + text(kSystemVersion) + r.m_strWindowsVersion,
        AnswerPiece(kLineEnd, kTestMode, r.m_nTestMode, {kMode16, kMode32, kDontKnow}),
        kBlankLine + text(kDll16) + kLineEnd + r.m_strDll16,
        kLineEnd + text(kModules32) + kLineEnd + r.m_strModules32,
        kLineEnd + text(kExeOnDisk) + kLineEnd + r.m_strExeOnDisk,
        kLineEnd + text(kDllOnDisk) + kLineEnd + r.m_strDllOnDisk,
    };
}

std::string BuildReportText(const CReportRecord& record)
{
    std::string text;
    for (const std::string& piece : BuildReportTextPieces(record)) text += piece;
    return text;
}

bool WriteReportText(platform::OutputFile& file, const CReportRecord& record)
{
    for (const std::string& piece : BuildReportTextPieces(record)) {
        const std::span bytes(reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size());
        if (file.Write(bytes) != piece.size()) return false;
    }
    return true;
}

} // namespace qx::report
