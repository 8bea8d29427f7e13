#pragma once

// The nine identity fields, each with its key in section QXBETA of
// Orvane.ini and its control in the identity dialog (130), in the order the
// keys are read and written.

#include "config/keys.h"
#include "report/report_record.h"
#include "resources/dialog_ids.h"

#include <array>
#include <cstddef>
#include <string>

namespace qx::report {

struct IdentityField {
    std::string Identity::*field;
    const char* key;
    int controlId;
    // The most characters the dialog takes; 0 for no limit.
    int maxChars = 0;
};

inline constexpr int kPostalCodeMaxChars = 5;
inline constexpr int kSerialMaxChars = 6;

inline constexpr std::array<IdentityField, 9> kIdentityFields{{
    {&Identity::m_strName, config::kKeyName, res::kIdName},
    {&Identity::m_strCompany, config::kKeyCompany, res::kIdCompany},
    {&Identity::m_strAddress, config::kKeyAddress, res::kIdAddress},
    {&Identity::m_strPostalCode, config::kKeyPostalCode, res::kIdPostalCode, kPostalCodeMaxChars},
    {&Identity::m_strTown, config::kKeyTown, res::kIdTown},
    {&Identity::m_strPhone, config::kKeyPhone, res::kIdPhone},
    {&Identity::m_strFax, config::kKeyFax, res::kIdFax},
    {&Identity::m_strEmail, config::kKeyEmail, res::kIdEmail},
    {&Identity::m_strSerial, config::kKeySerial, res::kIdSerial, kSerialMaxChars},
}};

} // namespace qx::report
