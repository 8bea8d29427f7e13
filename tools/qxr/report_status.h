#pragma once

// The exit status of a report archive that could not be read.

#include "exit_codes.h"
#include "qxr_report/report_archive_reader.h"

namespace qxr {

inline int StatusOf(ReportError error)
{
    switch (error) {
    case ReportError::None: return kExitOk;
    case ReportError::ArchiveMissing:
    case ReportError::ArchiveUnread: return kExitNoInput;
    case ReportError::VolumeFull:
    case ReportError::NoWorkFile: return kExitCannotWrite;
    case ReportError::ArchiveDamaged:
    case ReportError::NoBitmap:
    case ReportError::TooLarge: break;
    }
    return kExitDataError;
}

} // namespace qxr
