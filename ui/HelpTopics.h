#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scrivlet::ui {

// One section of the help file: its "## " heading and the text under it.
struct HelpTopic {
    std::string title;
    std::string body;
};

// The help file split at its "## " headings, in order.
std::vector<HelpTopic> splitHelpTopics(std::string_view markdown);

// Whether the topic's heading or text holds `word`, ignoring ASCII case; an
// empty word is in every topic.
bool topicMentions(const HelpTopic& topic, std::string_view word);

} // namespace scrivlet::ui
