// A page read for the publish dialog's editor: its lines, whatever ends
// them, and the largest page that is read.
#include "ErrorOf.h"
#include "PublishSession.h"
#include "StreamBytes.h"

#include <gtest/gtest.h>

namespace {

TEST(PageText, CrLfLfAndCrAloneEndLinesAndAFinalBreakMakesNoEmptyLine)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"a", "a"},
        {"a\r\nb\r\n", "a\nb"},
        {"a\n\nb", "a\n\nb"},
        {"a\rb\r\n\r\n", "a\nb\n"},
        {"\r\r\n\n", "\n\n"},
        {std::string("\r\n\xA0\xE8\r", 5), std::string("\n\xA0\xE8", 3)},
    };
    for (const auto &[text, lines] : cases)
        EXPECT_EQ(LineFeedText(text), lines) << text;
    // The editor's lines joined again give a CR LF page back byte for byte.
    EXPECT_EQ(LineFeedText("x\r\n\r\ny\r\n"), "x\n\ny");
    EXPECT_EQ(JoinLines({"x", "", "y"}), "x\r\n\r\ny\r\n");
}

TEST(PageText, APageAbove16MBIsRefusedBeforeItIsRead)
{
    const TTempFolder folder;
    const std::string largest = folder.Write("largest.html", std::string(16 * 1024 * 1024, '\n'));
    EXPECT_EQ(ReadPageText(largest).size(), 16u * 1024 * 1024 - 1);
    const std::string larger = folder.Write("larger.html", std::string(16 * 1024 * 1024 + 1, 'x'));
    EXPECT_EQ(ErrorOf<EFOpenError>([&] { ReadPageText(larger); }),
              "Cannot open file \"" + larger + "\". The page is larger than 16 MB.");
}

}  // namespace
