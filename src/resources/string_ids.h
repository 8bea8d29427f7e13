#pragma once

// Numbers of the string table's entries (LoadResString). The numbers are part
// of the program's resources and never change.

namespace qx::res {

enum StringId : int {
    kMenuAbout = 101,            // "&A propos de QXBêta..." (system menu)

    kMsgNoInstallKey = 110,      // REPEXE missing
    kMsgNoEnvironmentExe = 111,  // no "*orvane*.exe" in the directory
    kMsgBadInstallDir = 112,     // the directory does not exist

    kReportTitle = 113,          // "Rapport Bêta Version à faxer au " + fax
    kLabelReportNumber = 114,
    kLabelDate = 115,
    kLabelName = 116,
    kLabelCompany = 117,
    kLabelSerial = 118,
    kLabelAddress = 119,
    kLabelAddressIndent = 120,   // ten blanks under "Adresse : "
    kLabelPhone = 121,
    kLabelFax = 122,
    kLabelEmail = 123,
    kLabelDescription = 124,
    kLabelSteps = 125,
    kLabelComments = 126,
    kLabelReproducible = 127,
    kLabelWindowsVersion = 128,
    kLabelTestMode = 129,
    kModuleListHeading = 130,    // "-Fichier ... -Version ... -Instances"
    kLabelDll16 = 131,
    kLabelModules32 = 132,
    kLabelExeOnDisk = 133,
    kLabelDllOnDisk = 134,
    kLabelInternalInfo = 135,
    kDateFormat = 136,           // strftime format of the printed date

    kMsgCannotRun = 137,         // "Impossible d'exécuter " + program path
    kMsgTempFileError = 138,
    kArchiveFileFilter = 139,    // save dialog filter list
    kMsgCannotOpenFile = 140,

    kAnswerYes = 141,
    kAnswerNo = 142,
    kAnswerDontKnow = 143,
    kAnswer16Bits = 144,
    kAnswer32Bits = 145,

    kNoModule = 147,             // "Aucun"
    kNoDll = 148,                // "Aucune"

    kMsgArchiveFailed = 149,     // the report archive could not be made
    kMsgPrintFailed = 150,       // the print job could not start

    kPresenceWaiting = 151,      // status-area tooltip: the program waits
    kPresenceRefusedImage = 152, // "%1": the size of the last image not taken
    kPresenceAcceptedSizes = 153, // "%1": the sizes an image is taken at
    kPresenceMenuAbout = 154,    // status-area menu
    kPresenceMenuQuit = 155,     // status-area menu
};

} // namespace qx::res
