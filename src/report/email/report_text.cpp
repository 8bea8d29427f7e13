#include "report/email/report_text.h"

#include "report/report_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <cstdint>
#include <span>

namespace qx::report {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kBlankLine = "\r\n\r\n";

// The string-table numbers of the labels and answers.
using namespace res;

// The answered label after `before`; empty for no answer.
std::string AnswerPiece(const char* before, StringId label, int answer, const AnswerTexts& answers)
{
    const std::string answered = AnsweredLabel(label, answer, answers);
    return answered.empty() ? answered : before + answered;
}

} // namespace

std::array<std::string, kReportTextPieces> BuildReportTextPieces(const CReportRecord& r)
{
    const auto text = [](StringId id) { return LoadResString(id); };
    return {
        kBlankLine,
        text(kReportTitle),
        kBlankLine + text(kLabelName) + r.m_identity.m_strName + kLineEnd,
        text(kLabelCompany) + r.m_identity.m_strCompany + kLineEnd,
        text(kLabelAddress) + r.m_identity.m_strAddress + kLineEnd,
        text(kLabelAddressIndent) + r.m_identity.m_strPostalCode + " - " + r.m_identity.m_strTown + kLineEnd,
        text(kLabelPhone) + r.m_identity.m_strPhone + kLineEnd,
        text(kLabelFax) + r.m_identity.m_strFax + kLineEnd,
        text(kLabelEmail) + r.m_identity.m_strEmail + kLineEnd,
        text(kLabelSerial) + r.m_identity.m_strSerial + kLineEnd,
        kLineEnd + text(kLabelDescription) + kLineEnd + r.m_strDescription,
        kBlankLine + text(kLabelSteps) + kLineEnd + r.m_strSteps,
        kBlankLine + text(kLabelComments) + kLineEnd + r.m_strComments,
        kBlankLine,
        AnswerPiece("", kLabelReproducible, r.m_nReproducible, kReproducibleAnswers),
        kLineEnd + text(kLabelWindowsVersion) + r.m_strWindowsVersion,
        AnswerPiece(kLineEnd, kLabelTestMode, r.m_nTestMode, kTestModeAnswers),
        kBlankLine + text(kLabelDll16) + kLineEnd + r.m_strDll16,
        kLineEnd + text(kLabelModules32) + kLineEnd + r.m_strModules32,
        kLineEnd + text(kLabelExeOnDisk) + kLineEnd + r.m_strExeOnDisk,
        kLineEnd + text(kLabelDllOnDisk) + kLineEnd + r.m_strDllOnDisk,
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
