// A real process named with the product prefix, loading a library named with
// it, seen by the 32-bit module step through /proc.
#include "platform/posix/local_system_services.h"
#include "support/waiting_process.h"
#include "sysinfo/sysinfo.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string Pad(std::string s, std::size_t width)
{
    s.resize(std::max(s.size(), width), ' ');
    return s;
}

TEST(ProbeProcess, ShowsUpWithItsExecutableAndItsLibrary)
{
    const std::string probe = std::filesystem::canonical(QX_PROBE_PATH).string();
    const std::string library = std::filesystem::canonical(QX_PROBE_LIBRARY).string();
    ASSERT_TRUE(std::filesystem::path(probe).filename().string().starts_with("QX"));
    // The probe runs until its input is closed.
    const qx::test::WaitingProcess running({probe}, "ready 42\n");
    ASSERT_TRUE(running.Ready());

    const qx::platform::LocalSystemServices system;
    CReportRecord record;
    qx::sysinfo::CollectModules32(system.Services(), record);

    const std::string processLine = Pad(probe, 55) + " " + std::string(15, ' ') + " x1\r\n";
    const std::string libraryLine = "    " + Pad(library, 51) + " " + std::string(15, ' ') + " x1\r\n";
    const auto process = record.m_strModules32.find(processLine);
    ASSERT_NE(process, std::string::npos) << record.m_strModules32;
    const auto next = record.m_strModules32.find("\r\n/", process); // the next process block, if any
    const auto module = record.m_strModules32.find(libraryLine, process);
    EXPECT_NE(module, std::string::npos) << record.m_strModules32;
    EXPECT_TRUE(next == std::string::npos || module < next);
    EXPECT_NE(record.m_strLoadedDlls.find(probe + "\r\n" + std::string(15, ' ') + " x1\r\n"), std::string::npos);
    EXPECT_NE(record.m_strLoadedDlls.find(library + "\r\n"), std::string::npos);
}

} // namespace
