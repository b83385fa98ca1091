#include "AnsiText.h"

#include <gtest/gtest.h>

TEST(AnsiText, TrimTakesSpacesAndControlCharactersFromBothEnds)
{
    EXPECT_EQ(TrimBlanks(" \t\x01key = value\r\n"), "key = value");
    EXPECT_EQ(TrimBlanks(std::string("\0a\0", 3)), "a");
    EXPECT_EQ(TrimBlanks(" \t "), "");
    EXPECT_EQ(TrimBlanks(""), "");
    // Bytes above 127 are letters of the code page, never blanks.
    EXPECT_EQ(TrimBlanks("\xC0\xA0"), "\xC0\xA0");
}

TEST(AnsiText, LowerCaseChangesOnlyAsciiLetters)
{
    EXPECT_EQ(AsciiLower("Brightlane.GIF @[Z]"), "brightlane.gif @[z]");
    EXPECT_EQ(AsciiLower("\xC0\xC1\xDF"), "\xC0\xC1\xDF");
}
