#include "CommandLine.h"

namespace scrivlet {

std::vector<std::string> filesFromCommandLine(const std::vector<std::string>& words, bool slashSwitches)
{
    std::vector<std::string> files;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.empty() || word[0] == '-' || (slashSwitches && word[0] == '/'))
            continue;
        files.push_back(word);
    }
    return files;
}

std::string fileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace scrivlet
