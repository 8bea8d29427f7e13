#pragma once

// Two identities whose every field differs, long enough that saving one takes
// a while: a file holding fields of both is a mixed identity.

#include "report/report_record.h"

#include <array>
#include <string>

namespace qx::test {

inline std::array<report::Identity, 2> TwoIdentities()
{
    std::array<report::Identity, 2> identities;
    for (std::size_t i = 0; i < identities.size(); ++i) {
        const std::string mark(200, i == 0 ? 'a' : 'b');
        identities[i] = report::Identity{"Nom " + mark,  "Societe " + mark, "Adresse " + mark,
                                         i == 0 ? "75001" : "13002", "Ville " + mark, "Tel " + mark,
                                         "Fax " + mark,  "email " + mark,   i == 0 ? "AA1111" : "BB2222"};
    }
    return identities;
}

} // namespace qx::test
