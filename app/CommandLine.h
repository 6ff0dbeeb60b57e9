#pragma once

#include <string>
#include <vector>

namespace scrivlet {

// The files named on the editor's command line (a file dropped on the program
// is named so too): every word after the program's own name that is not a
// switch ("-x"; on Windows also "/x").
std::vector<std::string> filesFromCommandLine(const std::vector<std::string>& words, bool slashSwitches);

// The name a file shows under: the last part of its path.
std::string fileNameOf(const std::string& path);

} // namespace scrivlet
