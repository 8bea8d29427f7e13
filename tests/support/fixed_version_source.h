#pragma once

// A VersionSource that answers with a fixed version, or fails.

#include "platform/version_source.h"

namespace qx::test {

class FixedVersionSource final : public platform::VersionSource {
public:
    std::optional<platform::SystemVersion> version;

    std::optional<platform::SystemVersion> Query() const override { return version; }
};

} // namespace qx::test
