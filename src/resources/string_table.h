#pragma once

// The numbered string table. Every label and message of the program comes
// from here or from a dialog template.

#include <string>

namespace qx::res {

// The Windows-1252 text of entry `id`, or "" when the table has none.
std::string LoadResString(int id);

} // namespace qx::res

using qx::res::LoadResString;
