// What typed characters become when the game cannot show them.
#include "text/TextNotes.h"

#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

TEST(TextNotes, CharactersOutsideSpaceToZOutsideGroupsAreMarkedALineBreakAsOnePlace)
{
    EXPECT_EQ(unshowableRanges("Hello[02]"), Ranges{});
    EXPECT_EQ(unshowableRanges("Caf\u00E9!"), (Ranges{{3, 5}})) << "a letter's UTF-8 bytes are one place";
    EXPECT_EQ(unshowableRanges("I\u2019m \xFF"), (Ranges{{1, 4}, {6, 7}})) << "no byte, not UTF-8";
    EXPECT_EQ(unshowableRanges("a\r\nb\nc\rd"), (Ranges{{1, 3}, {4, 5}, {6, 7}})) << "CR LF is one place; lone ones are their own";
    EXPECT_EQ(unshowableRanges("[\u00E9 0D]{|}~"), (Ranges{{7, 8}, {8, 9}, {9, 10}, {10, 11}})) << "inside a group nothing is marked";
    EXPECT_EQ(unshowableRanges("[02"), (Ranges{})) << "an open group runs to the end";
    EXPECT_EQ(unshowableRanges(std::string("x\0y", 3)), (Ranges{{1, 2}}));
}

TEST(TextNotes, TheNoteSaysWhatTheCharacterAtTheCaretIsWrittenAs)
{
    EXPECT_EQ(writtenAsNote("Caf\u00E9", 5), "\u00E9 is written as byte 19, a control code");
    EXPECT_EQ(writtenAsNote("\u00E9", 0), "\u00E9 is written as byte 19, a control code") << "at the start: the character after the caret";
    EXPECT_EQ(writtenAsNote("I\u2019", 4), "\u2019 has no byte in the game's text; Apply Changes refuses it")
        << "the curly apostrophe is explained as \u00E9 is";
    EXPECT_EQ(writtenAsNote("Hi\r\nYo", 4), "A line break is written as bytes 3D 3A, two control codes");
    EXPECT_EQ(writtenAsNote("Hi\r\nYo", 3), "A line break is written as bytes 3D 3A, two control codes") << "between CR and LF";
    EXPECT_EQ(writtenAsNote("a\nb", 2), "A line feed is written as byte 3A, a control code");
    EXPECT_EQ(writtenAsNote("\u00E5", 2), "\u00E5 is written as byte 15, which begins a dictionary reference");
    EXPECT_EQ(writtenAsNote("{", 1), "{ is written as byte AB, a control code");
    EXPECT_EQ(writtenAsNote("\x01", 1), "Character U+0001 is written as byte 31, a control code");
    EXPECT_EQ(writtenAsNote("Caf\u00E9 ok", 7), "") << "a character the game shows says nothing";
    EXPECT_EQ(writtenAsNote("[\u00E9]", 3), "") << "nor does one inside a group";
    EXPECT_EQ(writtenAsNote("", 0), "");
}

TEST(TextNotes, TheLineSaysWhatIsWrongWithAMalformedGroupAtTheCaret)
{
    EXPECT_EQ(caretNote("Hi [1C02 01] yo", 5, CodeGrouping::Classic),
        "The group \"[1C02 01]\" at character 4 is not two-digit hex bytes separated by spaces, such as [1C 02 01]");
    EXPECT_EQ(caretNote("Hi [1C02 01] yo", 14, CodeGrouping::Classic), "") << "away from it, the usual line";
}

} // namespace
