#pragma once

#include <string_view>

namespace scrivlet {

// Calls each(number, line) for every line of a text file's contents, numbered
// from 1, without its LF or CR LF end; stops at the first call that returns false.
template <typename Each>
bool forEachLine(std::string_view text, Each&& each)
{
    int number = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!each(++number, line))
            return false;
    }
    return true;
}

} // namespace scrivlet
