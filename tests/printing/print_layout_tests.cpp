// Page layout on a real device context: where each report line and each
// piece of a split line lands.

#include "AnsiText.h"
#include "PrintRecorder.h"
#include "ReportFixture.h"
#include "ReportPrinter.h"

#include <gtest/gtest.h>

namespace {
constexpr int kTallPage = 1 << 20;

struct LayoutTest : ::testing::Test {
    LayoutTest() : printer(calls, [this](const std::string& m) { alerts.push_back(m); }) {
        dc.CreateCompatibleDC(nullptr);
        lineHeight = LineHeightOn(dc);
        calls.StartPage(dc); // the job's first page is open
    }
    CDC dc;
    PrintRecorder calls{nullptr};
    std::vector<std::string> alerts;
    ReportPrinter printer;
    int lineHeight = 0;
};

const std::string kLongLine =
    "Not copied: C:\\Users\\Public\\Documents\\Quarterly figures 2026\\Sales (final, "
    "reviewed)\\Region North-West - summary of accounts, invoices and receipts.xlsx; "
    "Access is denied (5) while the destination folder was being written, retry later";
} // namespace

TEST_F(LayoutTest, LongLineSplitsIntoLongestPiecesNarrowerThanThePageWithNothingLost) {
    const int width = 173;
    int y = 40;
    printer.PrintLine(dc, kLongLine, width, kTallPage, lineHeight, y);

    ASSERT_GT(calls.lines.size(), 3u);
    EXPECT_EQ(JoinedText(calls.lines), kLongLine);
    size_t used = 0;
    for (size_t i = 0; i < calls.lines.size(); ++i) {
        const PrintedLine& piece = calls.lines[i];
        SCOPED_TRACE(piece.text);
        EXPECT_FALSE(piece.text.empty());
        EXPECT_LT(TextWidthOn(dc, piece.text), width);
        EXPECT_EQ(piece.x, 0);
        EXPECT_EQ(piece.y, 40 + static_cast<int>(i) * lineHeight);
        used += piece.text.size();
        if (used < kLongLine.size()) { // one more character would reach the edge
            EXPECT_GE(TextWidthOn(dc, piece.text + kLongLine[used]), width);
        }
    }
    EXPECT_EQ(y, 40 + static_cast<int>(calls.lines.size()) * lineHeight);
    EXPECT_TRUE(alerts.empty());
}

TEST_F(LayoutTest, LineExactlyAsWideAsThePageIsPrintedWholeOnePixelWiderIsSplit) {
    const std::string line = "Folder: C:\\Data\\Archive 2026\\";
    const int exact = TextWidthOn(dc, line);
    int y = 0;
    printer.PrintLine(dc, line, exact, kTallPage, lineHeight, y);
    ASSERT_EQ(calls.lines.size(), 1u);
    EXPECT_EQ(calls.lines[0].text, line);

    calls.lines.clear();
    printer.PrintLine(dc, line, exact - 1, kTallPage, lineHeight, y);
    ASSERT_EQ(calls.lines.size(), 2u);
    EXPECT_EQ(JoinedText(calls.lines), line);
    EXPECT_EQ(calls.lines[1].y, calls.lines[0].y + lineHeight);
}

TEST_F(LayoutTest, PageNarrowerThanOneCharacterStillMovesOnOneCharacterAPiece) {
    int y = 0;
    printer.PrintLine(dc, "WIDE", 1, kTallPage, lineHeight, y);
    ASSERT_EQ(calls.lines.size(), 4u);
    EXPECT_EQ(JoinedText(calls.lines), "WIDE");
}

TEST_F(LayoutTest, LineWhoseBottomLandsExactlyOnThePageHeightStartsTheNextPage) {
    int y = 0;
    for (const char* text : {"one", "two", "three"})
        printer.PrintLine(dc, text, kTallPage, 3 * lineHeight, lineHeight, y);
    ASSERT_EQ(calls.lines.size(), 3u);
    EXPECT_EQ(calls.lines[1].page, 1);
    EXPECT_EQ(calls.lines[1].y, lineHeight);
    EXPECT_EQ(calls.lines[2].page, 2);
    EXPECT_EQ(calls.lines[2].y, 0);
    EXPECT_EQ(calls.endPages, 1);
    EXPECT_EQ(y, lineHeight);

    // One pixel more and the third line still ends above the page's bottom.
    calls.lines.clear();
    y = 0;
    for (const char* text : {"one", "two", "three"})
        printer.PrintLine(dc, text, kTallPage, 3 * lineHeight + 1, lineHeight, y);
    EXPECT_EQ(calls.lines[2].page, calls.lines[0].page);
    EXPECT_EQ(calls.lines[2].y, 2 * lineHeight);
}

TEST_F(LayoutTest, SplitLineThatReachesThePageBottomContinuesOnTheNextPage) {
    int y = 0;
    printer.PrintLine(dc, kLongLine, 173, 2 * lineHeight, lineHeight, y);
    ASSERT_GT(calls.lines.size(), 3u);
    EXPECT_EQ(JoinedText(calls.lines), kLongLine);
    for (size_t i = 0; i < calls.lines.size(); ++i) {
        EXPECT_EQ(calls.lines[i].page, static_cast<int>(i) + 1) << i;
        EXPECT_EQ(calls.lines[i].y, 0) << i;
    }
}

TEST_F(LayoutTest, ReportLinesAreReadFromTheEditControlAndCutAt499Characters) {
    std::string tooLong;
    for (int i = 0; tooLong.size() < 620; ++i)
        tooLong += std::to_string(i) + ",";
    ReportEdit edit({"Not copied: a.txt", tooLong, "", "last line"});
    int y = 0;
    printer.PrintLines(dc, edit.hwnd(), kTallPage, kTallPage, lineHeight, y);

    ASSERT_EQ(calls.lines.size(), 4u);
    EXPECT_EQ(calls.lines[0].text, "Not copied: a.txt");
    EXPECT_EQ(calls.lines[1].text, tooLong.substr(0, 499));
    EXPECT_EQ(calls.lines[2].text, "");
    EXPECT_EQ(calls.lines[3].text, "last line");
    EXPECT_EQ(calls.lines[3].y, 3 * lineHeight);
}

// In UTF-8 a character takes up to four bytes: the pieces of a split line and
// the cut at 499 characters fall between characters, never inside one.
TEST_F(LayoutTest, MultiByteLinesAreSplitAndCutBetweenCharacters) {
    std::wstring wide;
    for (int i = 0; wide.size() < 620; ++i)
        wide += i % 3 ? L"\u8cc7\u6599\u00e9" : L" \U0001F600 ";
    ReportEdit edit({AnsiFromWide(wide)});
    int y = 0;
    printer.PrintLines(dc, edit.hwnd(), 173, kTallPage, lineHeight, y);

    ASSERT_GT(calls.lines.size(), 3u);
    for (const PrintedLine& piece : calls.lines)
        EXPECT_EQ(AnsiFromWide(WideFromAnsi(piece.text)), piece.text) << "a character was cut";
    std::wstring first = wide.substr(0, 499);
    if (first.back() >= 0xD800 && first.back() <= 0xDBFF)
        first.pop_back(); // the cut keeps a surrogate pair whole
    EXPECT_EQ(JoinedText(calls.lines), AnsiFromWide(first));
}
