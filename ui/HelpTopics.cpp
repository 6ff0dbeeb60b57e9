#include "HelpTopics.h"

#include <algorithm>
#include <cctype>

namespace scrivlet::ui {

namespace {

std::string_view trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool containsIgnoringCase(std::string_view text, std::string_view word)
{
    const auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    return std::search(text.begin(), text.end(), word.begin(), word.end(), same) != text.end();
}

} // namespace

std::vector<HelpTopic> splitHelpTopics(std::string_view markdown)
{
    std::vector<HelpTopic> topics;
    std::size_t at = 0;
    // A heading starts the file or a line.
    const auto nextHeading = [&](std::size_t from) {
        if (from == 0 && markdown.substr(0, 3) == "## ")
            return std::size_t{0};
        const std::size_t found = markdown.find("\n## ", from == 0 ? 0 : from - 1);
        return found == std::string_view::npos ? found : found + 1;
    };
    at = nextHeading(0);
    while (at != std::string_view::npos) {
        const std::size_t titleStart = at + 3;
        const std::size_t titleEnd = std::min(markdown.find('\n', titleStart), markdown.size());
        const std::size_t next = nextHeading(titleEnd);
        const std::size_t bodyEnd = next == std::string_view::npos ? markdown.size() : next;
        topics.push_back({std::string(trimmed(markdown.substr(titleStart, titleEnd - titleStart))),
            std::string(trimmed(markdown.substr(titleEnd, bodyEnd - titleEnd)))});
        at = next;
    }
    return topics;
}

bool topicMentions(const HelpTopic& topic, std::string_view word)
{
    return word.empty() || containsIgnoringCase(topic.title, word) || containsIgnoringCase(topic.body, word);
}

} // namespace scrivlet::ui
