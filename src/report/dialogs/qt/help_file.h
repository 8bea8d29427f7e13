#pragma once

// The program's HTML help file, installed beside the program: in the
// program's own directory as "qxbeta-aide.html", or in the shared data
// directory of its prefix as "../share/qxbeta/aide.html".

#include <QString>

#include <functional>

namespace qx::report {

// The help file's path, or an empty string when none is installed.
QString FindHelpFile();

// Opens the help file at its contents in the desktop's viewer; false when
// there is no help file or no viewer could be started.
bool OpenHelpFile();

// How the report dialog opens its help; tests put their own.
using HelpOpener = std::function<bool()>;

} // namespace qx::report
