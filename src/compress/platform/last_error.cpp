#include "compress/platform/last_error.h"

namespace qx::compress {
namespace {

ErrorCode g_lastFileError = kErrorNone;

} // namespace

ErrorCode LastFileError() { return g_lastFileError; }

void SetLastFileError(ErrorCode code) { g_lastFileError = code; }

} // namespace qx::compress
