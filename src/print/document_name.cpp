#include "print/document_name.h"

#include "report/email/archive_name.h"

namespace qx::print {

std::string ReportDocumentName(std::string_view serial, std::string_view storedNumber)
{
    return "Rapport " + report::ArchiveNamePrefix(serial) + report::ReportNumberText(storedNumber);
}

} // namespace qx::print
