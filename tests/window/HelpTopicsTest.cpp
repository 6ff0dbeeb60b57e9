// The help topic finder used where the platform has no help viewer of its own.
#include "ui/HelpTopicsDialog.h"
#include "ui/headless/HeadlessWindow.h"

#include <gtest/gtest.h>

using namespace scrivlet::ui;

namespace {

const char* const Help = "## Getting started\nOpen a ROM.\n\n## Prevent Overwrites\nRefuses a longer text.\n"
                         "## Search\nFinds text; see Prevent overwrites.\n";

TEST(HelpTopics, TheFileSplitsAtItsHeadingsOnly)
{
    const auto topics = splitHelpTopics("Intro before any topic\n## One\nfirst ## not a heading\n\n## Two\n  second\n");
    ASSERT_EQ(topics.size(), 2u);
    EXPECT_EQ(topics[0].title, "One");
    EXPECT_EQ(topics[0].body, "first ## not a heading");
    EXPECT_EQ(topics[1].title, "Two");
    EXPECT_EQ(topics[1].body, "second");
    EXPECT_TRUE(splitHelpTopics("no headings at all").empty());
    EXPECT_TRUE(topicMentions(topics[1], "SECOND")) << "case is ignored";
    EXPECT_TRUE(topicMentions(topics[1], "")) << "an empty word is in every topic";
    EXPECT_FALSE(topicMentions(topics[1], "first"));
}

TEST(HelpTopics, TheFinderListsTheTopicsThatMentionTheWordAndShowsThePageChosen)
{
    HelpTopicsDialog finder(splitHelpTopics(Help));
    HeadlessWindow window(HelpTopicsDialog::dialogTemplate(), finder);
    finder.attach(window);
    finder.onInitDialog();
    EXPECT_EQ(window.listRowCount(HelpTopicsDialog::TopicList), 3);
    EXPECT_EQ(window.focusedControl(), HelpTopicsDialog::SearchEdit);
    EXPECT_EQ(window.controlText(HelpTopicsDialog::PageEdit), "Getting started\r\n\r\nOpen a ROM.") << "the first page, with CR LF breaks";

    window.typeText(HelpTopicsDialog::SearchEdit, "overwrites");
    ASSERT_EQ(window.listRowCount(HelpTopicsDialog::TopicList), 2);
    EXPECT_EQ(window.listRowText(HelpTopicsDialog::TopicList, 1), "Search");
    window.clickRow(HelpTopicsDialog::TopicList, 1);
    EXPECT_EQ(window.controlText(HelpTopicsDialog::PageEdit), "Search\r\n\r\nFinds text; see Prevent overwrites.");

    window.typeText(HelpTopicsDialog::SearchEdit, "nowhere");
    EXPECT_EQ(window.listRowCount(HelpTopicsDialog::TopicList), 0);
    EXPECT_EQ(window.controlText(HelpTopicsDialog::PageEdit), "") << "no topic, no page";
}

} // namespace
