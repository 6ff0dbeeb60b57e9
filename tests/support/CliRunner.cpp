#include "CliRunner.h"

#include "TestImage.h"

#include <sys/wait.h>

#include <cstdlib>

namespace scrivlet::testing {

std::string shellQuote(const std::string& word)
{
    std::string q = "'";
    for (char c : word)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliRun runProgram(const std::filesystem::path& folder, const std::string& program,
    const std::vector<std::string>& words, const std::string& prefix, const std::string& stdoutTarget)
{
    const auto outFile = folder / ".run-out.txt";
    const auto errFile = folder / ".run-err.txt";
    std::string command = "cd " + shellQuote(folder.string()) + " && " + prefix + " " + shellQuote(program);
    for (const auto& w : words)
        command += " " + shellQuote(w);
    command += " >" + (stdoutTarget.empty() ? shellQuote(outFile.string()) : stdoutTarget) + " 2>"
        + shellQuote(errFile.string());
    const int status = std::system(("(" + command + ")").c_str());
    CliRun run;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = stdoutTarget.empty() ? readTextFile(outFile) : std::string();
    run.err = readTextFile(errFile);
    std::error_code ignored;
    std::filesystem::remove(outFile, ignored);
    std::filesystem::remove(errFile, ignored);
    return run;
}

} // namespace scrivlet::testing
