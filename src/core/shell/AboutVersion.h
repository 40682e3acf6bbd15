#pragma once
#include <string>

namespace kardel {

// The About box's version text from the program's own version number
// "major.minor.patch.build": major, minor and patch run together after the
// point ("1.1.5.0" gives "1.15"), and a non-zero build is a beta, "β" and its
// number (cp932). Missing parts count as 0, as an empty version record would.
std::string AboutVersionText(const std::string& productVersion);

// The version label: its template text with the last three characters ("XXX")
// replaced by the version.
std::string AboutVersionLabel(const std::string& productVersion);

} // namespace kardel
