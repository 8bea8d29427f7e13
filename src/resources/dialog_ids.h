#pragma once

// Numbers of the dialog resources, of their controls and of the images. The
// code addresses controls only through these.

namespace qx::res {

enum DialogId : int {
    kDialogAbout = 100,
    kDialogReport = 102,
    kDialogIdentity = 130,
    kDialogStartNotice = 134,
    kDialogProgress = 139,
    kDialogMailNotice = 140,
    kDialogBusy = 141,
    kDialogCaptureNotice = 147,
};

enum ImageId : int {
    kIconApp = 128,
    kCursorPick = 133,
};

enum ControlId : int {
    kIdOk = 1,
    kIdCancel = 2,

    // Identity fields: the report dialog shows the name (1000) too.
    kIdName = 1000,
    kIdPhone = 1001,
    kIdFax = 1002,
    kIdEmail = 1028,
    kIdAddress = 1029,
    kIdTown = 1030,
    kIdPostalCode = 1032,
    kIdCompany = 1033,
    kIdSerial = 1044,

    // Report dialog.
    kIdWindowsVersion = 1006,
    kIdDescription = 1007,
    kIdSteps = 1008,
    kIdComments = 1009,
    kIdReproducibleYes = 1021,
    kIdReproducibleNo = 1022,
    kIdTestMode16 = 1023,
    kIdTestMode32 = 1024,
    kIdLoadedDlls = 1026,
    kIdIdentityButton = 1034,
    kIdReproducibleDontKnow = 1040,
    kIdTestModeDontKnow = 1041,
    kIdEmailButton = 1045,
    kIdAboutButton = 1050,
    kIdTitle = 1073,
    kIdPrintButton = 1074,
    kIdHelp = 57670,            // the platform's help command

    // Notices.
    kIdDontShowAgain = 1048,

    // About box and progress window.
    kIdVersionText = 1050,      // label of the about box (same number as the report dialog's button)
    kIdProgressBar = 1057,
};

} // namespace qx::res
