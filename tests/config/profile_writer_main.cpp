// profile_writer: a second program writing the same Orvane.ini, for the tests
// of concurrent and killed writers.
//   profile_writer identity DIR   saves identity A, then B, then A... until killed
//   profile_writer count DIR N    advances the report number N times
#include "config/notices.h"
#include "config/profile.h"
#include "report/identity/identity.h"
#include "support/two_identities.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) return 64;
    const std::string mode = argv[1];
    const qx::config::Profile profile{std::filesystem::path(argv[2])};
    if (mode == "identity") {
        std::puts("writing");
        std::fflush(stdout);
        for (unsigned i = 0;; ++i) qx::report::WriteStoredIdentity(profile, qx::test::TwoIdentities()[i % 2]);
    }
    if (mode == "count" && argc == 4) {
        for (int i = std::atoi(argv[3]); i > 0; --i) qx::config::IncrementReportNumber(profile);
        return 0;
    }
    return 64;
}
