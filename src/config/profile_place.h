#pragma once

// Where Orvane.ini lives on Linux. On Windows it is in the Windows folder;
// here the folder that stands for it is, in this order:
//   1. the folder named by QXBETA_WINDOWS_DIR, when it is set;
//   2. the Windows folder of the Wine prefix (WINEPREFIX, else ~/.wine),
//      drive_c/windows/, when it holds an orvane.ini in any letter case: the
//      environment run under Wine keeps its file there;
//   3. $XDG_CONFIG_HOME/Orvane/ (by default ~/.config/Orvane/).
// The Wine prefix also gives the drive letters of a REPEXE such as
// "C:\ORVANE55".

#include <filesystem>
#include <string>

namespace qx::config {

// The variables the choice depends on; empty when unset.
struct ProfileEnvironment {
    std::string windowsDirectory; // QXBETA_WINDOWS_DIR
    std::string winePrefix;       // WINEPREFIX
    std::string configHome;       // XDG_CONFIG_HOME
    std::string home;             // HOME, else the home folder of the password database

    static ProfileEnvironment OfThisProcess();
};

enum class ProfileOrigin {
    Named,      // QXBETA_WINDOWS_DIR
    WinePrefix, // drive_c/windows/ of the Wine prefix
    ConfigHome, // $XDG_CONFIG_HOME/Orvane/
};

struct ProfilePlace {
    ProfileOrigin origin = ProfileOrigin::ConfigHome;
    std::filesystem::path directory;
    // The prefix whose dosdevices/ give REPEXE's drive letters: the one whose
    // drive_c/windows/ the directory is, else WINEPREFIX or ~/.wine.
    std::filesystem::path winePrefix;
};

ProfilePlace LocateProfile(const ProfileEnvironment& environment);

} // namespace qx::config
