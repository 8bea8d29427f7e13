#include "print/report_rows.h"

#include "report/report_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

namespace qx::print {

namespace {

using namespace qx::res;

constexpr std::size_t kDateWidth = 10;
constexpr std::size_t kCodeWidth = 3;
constexpr std::size_t kVersionWidth = 6;
constexpr int kEntriesPerRow = 6;

using report::PadRight;

std::string Labelled(int labelId, std::string_view value)
{
    return LoadResString(labelId) + std::string(value);
}

void Append(std::vector<std::string>& rows, std::vector<std::string> more)
{
    rows.insert(rows.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

} // namespace

std::string FormatReportDate(const std::tm& localTime)
{
    const std::string format = LoadResString(kDateFormat);
    char buffer[64] = {};
    const std::size_t length = std::strftime(buffer, sizeof buffer, format.c_str(), &localTime);
    return std::string(buffer, length);
}

std::array<std::string, kHeaderRowCount> HeaderRows(const CReportRecord& record, std::string_view date,
                                                    std::string_view reportNumber)
{
    return {
        LoadResString(kReportTitle),
        LoadResString(kLabelDate) + PadRight(date, kDateWidth) + "      " + LoadResString(kLabelSerial) +
            record.m_identity.m_strSerial,
        Labelled(kLabelReportNumber, reportNumber),
        Labelled(kLabelName, record.m_identity.m_strName),
        Labelled(kLabelCompany, record.m_identity.m_strCompany),
        std::string(),
    };
}

std::vector<std::string> SplitFieldRows(std::string_view field)
{
    std::vector<std::string> rows;
    std::size_t start = 0;
    while (start < field.size()) {
        // CR, LF and CR LF each end a line.
        std::size_t end = field.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = field.size();
        std::string piece(field.substr(start, end - start));
        std::size_t next = end + 1;
        if (end < field.size() && field[end] == '\r') {
            piece += ' '; // the carriage return ending a piece prints as one blank
            if (next < field.size() && field[next] == '\n') ++next;
        }
        if (!piece.empty()) rows.push_back(std::move(piece));
        start = next;
    }
    return rows;
}

std::vector<std::string> ProductCodeRows(std::string_view list, const std::map<std::string, std::string>& codes)
{
    std::vector<std::string> rows;
    std::string row;
    int count = 0;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find('\n', start);
        if (end == std::string_view::npos) end = list.size();
        std::string_view line = list.substr(start, end - start);
        start = end + 1;

        const std::size_t cr = line.find('\r');
        if (cr != std::string_view::npos) line = line.substr(0, cr);
        const std::size_t blank = line.find(' ');
        const std::string name(line.substr(0, blank));
        const std::string_view version = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);

        const auto code = codes.find(name);
        if (code == codes.end()) continue;
        row += PadRight(code->second, kCodeWidth) + " ";
        row += PadRight(version, kVersionWidth) + "  ";
        if (++count == kEntriesPerRow) {
            rows.push_back(std::move(row));
            row.clear();
            count = 0;
        }
    }
    if (count != 0) rows.push_back(std::move(row));
    return rows;
}

std::vector<std::string> BodyRows(const CReportRecord& r)
{
    std::vector<std::string> rows;
    rows.push_back(Labelled(kLabelAddress, r.m_identity.m_strAddress));
    rows.push_back(LoadResString(kLabelAddressIndent) + r.m_identity.m_strPostalCode + " - " + r.m_identity.m_strTown);
    rows.push_back(Labelled(kLabelPhone, r.m_identity.m_strPhone));
    rows.push_back(Labelled(kLabelFax, r.m_identity.m_strFax));
    rows.push_back(Labelled(kLabelEmail, r.m_identity.m_strEmail));
    rows.emplace_back();
    rows.push_back(LoadResString(kLabelDescription));
    Append(rows, SplitFieldRows(r.m_strDescription));
    rows.emplace_back();
    rows.push_back(LoadResString(kLabelSteps));
    Append(rows, SplitFieldRows(r.m_strSteps));
    rows.emplace_back();
    rows.push_back(LoadResString(kLabelComments));
    Append(rows, SplitFieldRows(r.m_strComments));
    rows.emplace_back();
    rows.push_back(report::AnsweredLabel(kLabelReproducible, r.m_nReproducible, report::kReproducibleAnswers));
    rows.push_back(Labelled(kLabelWindowsVersion, r.m_strWindowsVersion));
    rows.push_back(report::AnsweredLabel(kLabelTestMode, r.m_nTestMode, report::kTestModeAnswers));
    rows.emplace_back();
    rows.push_back(LoadResString(kLabelDll16));
    rows.push_back(LoadResString(kModuleListHeading));
    Append(rows, SplitFieldRows(r.m_strDll16));
    rows.emplace_back();
    rows.push_back(LoadResString(kLabelModules32));
    rows.push_back(LoadResString(kModuleListHeading));
    Append(rows, SplitFieldRows(r.m_strModules32));
    rows.emplace_back();
    rows.push_back(LoadResString(kLabelInternalInfo));
    Append(rows, ProductCodeRows(r.m_strExeOnDisk, r.m_mapProductCodes));
    Append(rows, ProductCodeRows(r.m_strDllOnDisk, r.m_mapProductCodes));
    return rows;
}

} // namespace qx::print
