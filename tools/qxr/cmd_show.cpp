// qxr show ARCHIVE: the report text of a .QXR archive, in UTF-8.
#include "command.h"
#include "exit_codes.h"
#include "report_status.h"
#include "standard_output.h"

#include "qxr_report/report_archive_reader.h"
#include "qxr_report/work_directory.h"
#include "text/cp1252.h"

#include <cstdio>
#include <string>

namespace {

const char kUsage[] =
    "Usage : qxr show ARCHIVE\n\n"
    "Affiche le texte du rapport contenu dans l'archive ARCHIVE (.QXR), converti\n"
    "de Windows-1252 en UTF-8 ; les fins de ligne \"\\r\\n\" sont conservées.\n"
    "Les archives faites sous Windows et les copies simples sont acceptées.\n"
    "L'archive est décompressée dans un dossier temporaire ($TMPDIR ou /tmp) après\n"
    "vérification de la place libre. Un rapport plus grand que 64 Mio d'image\n"
    "(16 777 216 pixels au plus) et 4 Mio de texte est refusé sans être décompressé.\n";

int Show(const std::vector<std::string>& args)
{
    if (args.size() != 1) return qxr::WrongArguments(kUsage);
    const std::string& archive = args[0];
    const qxr::WorkDirectory work;
    if (!work.Made()) {
        std::fprintf(stderr, "qxr show: %s\n", qxr::DescribeReportError(qxr::ReportError::NoWorkFile, archive).c_str());
        return qxr::kExitCannotWrite;
    }
    const qxr::ReportResult result = qxr::ReadReportArchive(archive, work.Path());
    if (result.error != qxr::ReportError::None) {
        std::fprintf(stderr, "qxr show: %s\n", qxr::DescribeReportError(result.error, archive).c_str());
        return qxr::StatusOf(result.error);
    }
    const auto text = result.report.Text();
    const std::string utf8 = qx::text::Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    return qxr::WriteStandardOutput("show", utf8) ? qxr::kExitOk : qxr::kExitCannotWrite;
}

} // namespace

QXR_COMMAND(show, "show", "affiche le texte du rapport d'une archive .QXR", kUsage, Show);
