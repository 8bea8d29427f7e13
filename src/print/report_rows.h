#pragma once

// The texts of the printed report, one entry for every printed row: the six
// header rows and the body rows. Pure functions of the record; the page
// writer decides where they land.

#include "report/report_record.h"

#include <array>
#include <ctime>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qx::print {

inline constexpr std::size_t kHeaderRowCount = 6;

// `localTime` formatted with string-table text 136 ("%d/%m/%Y").
std::string FormatReportDate(const std::tm& localTime);

// Title with the fax number, date and serial number, report number, name,
// company, an empty row. `reportNumber` is the stored numrpt as it is.
std::array<std::string, kHeaderRowCount> HeaderRows(const CReportRecord& record, std::string_view date,
                                                    std::string_view reportNumber);

// A multi-line field as printed rows: a piece between line ends (a line
// feed, or a carriage return without one after it; empty pieces between two
// line feeds dropped), its final carriage return turned into one blank.
// Nothing for an empty field.
std::vector<std::string> SplitFieldRows(std::string_view field);

// A list of "NAME VERSION\r\n" lines as rows of at most six "code version"
// entries; names the map does not hold are left out.
std::vector<std::string> ProductCodeRows(std::string_view list, const std::map<std::string, std::string>& codes);

// Every row after the header, from the address to the product codes.
std::vector<std::string> BodyRows(const CReportRecord& record);

} // namespace qx::print
