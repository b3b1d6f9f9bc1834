// The About dialog's two texts, checked on the texts, and the dialog showing
// them in its panes.

#include "AboutDlg.h"
#include "AnsiText.h"
#include "AboutTexts.h"
#include "DialogWatcher.h"
#include "UiDriver.h"
#include "maker.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// Splits at CR LF; a CR or LF on its own is reported as a line "<bare>".
std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find("\r\n", start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (line.find_first_of("\r\n") != std::string::npos)
            line = "<bare>";
        lines.push_back(line);
        if (end == std::string::npos)
            return lines;
        start = end + 2;
    }
}

// In characters, whatever bytes the code page gives each.
size_t Longest(const std::vector<std::string>& lines) {
    size_t longest = 0;
    for (const auto& line : lines)
        longest = std::max(longest, WideLength(line));
    return longest;
}
} // namespace

TEST(AboutTexts, UsageNoteHasSixteenLinesWithFiveItemsAndEndsWithTheWebAddress) {
    const std::string text = BuildUsageText();
    EXPECT_EQ(text.size(), 788u);
    const auto lines = CrLfLines(text);
    ASSERT_EQ(lines.size(), 16u); // so no line break after the last line
    EXPECT_LE(Longest(lines), 90u);
    EXPECT_FALSE(lines[0].empty());
    EXPECT_FALSE(lines[1].empty());
    for (int empty : {2, 4, 7, 9, 11})
        EXPECT_EQ(lines[empty], "") << empty;
    for (int item : {3, 5, 8, 10, 12})
        EXPECT_EQ(lines[item].substr(0, 2), "- ") << item;
    int items = 0;
    for (const auto& line : lines)
        items += line.rfind("- ", 0) == 0;
    EXPECT_EQ(items, 5);
    EXPECT_NE((lines[5] + lines[6]).find("(" VELTRA_SUPPORT_ADDRESS ")"), std::string::npos);
    EXPECT_NE(lines[8].find(VELTRA_WEBSITE_NAME), std::string::npos);
    EXPECT_EQ(lines[15], VELTRA_WEBSITE_ADDRESS);
}

TEST(AboutTexts, LicenceHas114LinesInSevenSectionsEachLineEndedByCrLf) {
    const std::string text = BuildLicenseText();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    auto lines = CrLfLines(text);
    ASSERT_EQ(lines.back(), ""); // what follows the last CR LF
    lines.pop_back();
    ASSERT_EQ(lines.size(), 114u);
    size_t empty = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_NE(lines[i], "<bare>") << i;
        if (lines[i].empty()) {
            ++empty;
            EXPECT_FALSE(i > 0 && lines[i - 1].empty()) << "two empty lines at " << i;
        }
    }
    EXPECT_EQ(empty, 24u);
    EXPECT_LE(Longest(lines), 91u);
    EXPECT_FALSE(lines.back().empty()); // no trailing empty line

    // Seven numbered headings in order, each followed by an empty line.
    std::vector<size_t> headings;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].size() > 3 && lines[i][0] >= '1' && lines[i][0] <= '9' && lines[i][1] == '.')
            headings.push_back(i);
    ASSERT_EQ(headings.size(), 7u);
    for (size_t s = 0; s < headings.size(); ++s) {
        EXPECT_EQ(lines[headings[s]][0], static_cast<char>('1' + s));
        EXPECT_EQ(lines[headings[s] + 1], "") << lines[headings[s]];
    }
    // Section 2: five clauses, each followed by an empty line.
    int clauses = 0;
    for (size_t i = headings[1]; i < headings[2]; ++i)
        if (lines[i].rfind("(", 0) == 0) {
            EXPECT_EQ(lines[i][1], static_cast<char>('a' + clauses));
            ++clauses;
        }
    EXPECT_EQ(clauses, 5);

    // The copyright sign in section 3 with the year, the right single
    // quotation mark in the last two sections, in the process's code page.
    auto section = [&](size_t s) {
        std::string body;
        for (size_t i = headings[s]; i < (s + 1 < headings.size() ? headings[s + 1] : lines.size());
             ++i)
            body += lines[i] + "\n";
        return body;
    };
    EXPECT_NE(section(2).find(AnsiFromWide(L"\u00a9 2026")), std::string::npos);
    EXPECT_NE(section(5).find(AnsiFromWide(L"\u2019")), std::string::npos);
    EXPECT_NE(section(6).find(AnsiFromWide(L"\u2019")), std::string::npos);
    // The last section's two paragraphs have no empty line between them.
    size_t emptyInLast = 0;
    for (size_t i = headings[6]; i < lines.size(); ++i)
        emptyInLast += lines[i].empty();
    EXPECT_EQ(emptyInLast, 1u); // the one below its heading
}

// Under a legacy code page the signs are its own bytes: 0xA9 and 0x92 in
// Windows-1252, never the UTF-8 bytes the sources keep them in.
TEST(AboutTexts, LicenceSignsAreWrittenInTheCodePageShown) {
    const std::string legacy = BuildLicenseText(1252);
    EXPECT_NE(legacy.find("Copyright \xA9 2026"), std::string::npos);
    EXPECT_NE(legacy.find("user\x92s duty"), std::string::npos);
    EXPECT_EQ(legacy.find('\xC2'), std::string::npos);
    const std::string utf8 = BuildLicenseText(CP_UTF8);
    EXPECT_NE(utf8.find("Copyright \xC2\xA9 2026"), std::string::npos);
    EXPECT_NE(utf8.find("user\xE2\x80\x99s duty"), std::string::npos);
    EXPECT_EQ(WideFromAnsi(legacy, 1252), WideFromAnsi(utf8, CP_UTF8));
}

namespace {
struct PaneTexts {
    std::string usage, licence, notice;
    bool found = false;
};

// Opens `dialog` modally, reads its panes and closes it with OK.
PaneTexts OpenAndRead(CAboutDlg& dialog) {
    PaneTexts texts;
    INT_PTR result = 0;
    RunWithHelper([&] { result = dialog.DoModal(); },
                  [&](DWORD thread) {
                      HWND about = WaitForThreadDialog(thread, "About Veltra");
                      if (!about)
                          return;
                      texts.found = true;
                      texts.usage = TextOf(::GetDlgItem(about, IDC_USAGE_TEXT));
                      texts.licence = TextOf(::GetDlgItem(about, IDC_LICENSE_TEXT));
                      texts.notice = ChildTexts(about);
                      Press(about, IDOK);
                  });
    EXPECT_EQ(result, IDOK);
    return texts;
}
} // namespace

TEST(AboutDialog, FilledTextsShowInTheirPanesIdenticallyOnEveryOpening) {
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        CAboutDlg dialog;
        dialog.m_usageText = BuildUsageText();
        dialog.m_licenseText = BuildLicenseText();
        const PaneTexts texts = OpenAndRead(dialog);
        ASSERT_TRUE(texts.found);
        EXPECT_EQ(texts.usage, BuildUsageText());
        EXPECT_EQ(texts.licence, BuildLicenseText());
        EXPECT_NE(texts.notice.find(VELTRA_MAKER_NOTICE), std::string::npos);
        EXPECT_NE(texts.notice.find(VELTRA_WEBSITE_ADDRESS), std::string::npos);
        // OK ran the data exchange back; the members hold what the panes held.
        EXPECT_EQ(dialog.m_usageText, BuildUsageText());
    }
}

TEST(AboutDialog, UnfilledDialogShowsBothPanesEmpty) {
    CAboutDlg dialog;
    const PaneTexts texts = OpenAndRead(dialog);
    ASSERT_TRUE(texts.found);
    EXPECT_EQ(texts.usage, "");
    EXPECT_EQ(texts.licence, "");
}
