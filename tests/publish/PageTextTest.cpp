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

// Lines of the given length, each ended by CR LF, to fill size bytes.
std::string PageOfLines(size_t size, size_t lineLength)
{
    std::string line(lineLength - 2, 'x');
    line += "\r\n";
    std::string page;
    while (page.size() < size)
        page += line;
    return page;
}

TEST(PageText, APageAbove16MBOrOfMoreThanHalfAMillionLinesIsRefused)
{
    const TTempFolder folder;
    const std::string largest = folder.Write("largest.html", PageOfLines(16 * 1024 * 1024, 64));
    EXPECT_EQ(ReadPageText(largest).size(), 16u * 1024 * 1024 / 64 * 63 - 1);
    const std::string larger = folder.Write("larger.html", std::string(16 * 1024 * 1024 + 1, 'x'));
    EXPECT_EQ(ErrorOf<EFOpenError>([&] { ReadPageText(larger); }),
              "Cannot open file \"" + larger + "\". The page is larger than 16 MB.");

    const std::string longest = folder.Write("longest.html", PageOfLines(2 * 500000, 2));
    EXPECT_EQ(ReadPageText(longest), std::string(500000 - 1, '\n'));
    const std::string longer = folder.Write("longer.html", PageOfLines(2 * 500001, 2));
    EXPECT_EQ(ErrorOf<EFOpenError>([&] { ReadPageText(longer); }),
              "Cannot open file \"" + longer + "\". The page has more than 500000 lines.");
}

}  // namespace
