#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace scrivlet::testing {

struct CliRun {
    int code = -1; // the exit status; -1 when the program was ended by a signal
    std::string out;
    std::string err;
};

// Runs a program in `folder` through the shell and gathers its exit status,
// standard output and standard error. `prefix` goes before the command (an
// environment, a `ulimit`); `stdoutTarget`, when given, takes the output instead.
CliRun runProgram(const std::filesystem::path& folder, const std::string& program,
    const std::vector<std::string>& words, const std::string& prefix = "", const std::string& stdoutTarget = "");

// The word quoted for the shell.
std::string shellQuote(const std::string& word);

} // namespace scrivlet::testing
