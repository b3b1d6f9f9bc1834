// The report's grouping rule on its own: which headings and items the
// walk's folder and not-copied notifications give.
#include "ReportGrouping.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Feeds `texts` as not-copied texts and gathers every line they give.
Lines Report(ReportGrouping& grouping, const Lines& texts) {
    Lines all;
    for (const std::string& text : texts)
        for (const std::string& line : grouping.NotCopied(text))
            all.push_back(line);
    return all;
}

} // namespace

TEST(ReportGrouping, ItemsOfOneFolderShareOneHeading) {
    ReportGrouping grouping;
    grouping.EnterFolder("C:\\src\\docs\\");
    EXPECT_EQ(Report(grouping, {"C:\\src\\docs\\a.txt", "C:\\src\\docs\\b.txt"}),
              (Lines{"* Folder C:\\src\\docs\\", "+ a.txt", "+ b.txt"}));
}

TEST(ReportGrouping, ItemIsTheTextWithoutTheCurrentFoldersLength) {
    EXPECT_EQ(ReportItemText("C:\\src\\docs\\a.txt", "C:\\src\\docs\\"), "a.txt");
    EXPECT_EQ(ReportItemText("C:\\src\\docs\\Unable to access the folder. It's contents was not "
                             "copied.",
                             "C:\\src\\docs\\"),
              "Unable to access the folder. It's contents was not copied.");
    EXPECT_EQ(ReportItemText("C:\\x", "C:\\src\\docs\\"), "") << "shorter than the folder";
    EXPECT_EQ(ReportItemText("C:\\src\\", "C:\\src\\"), "");
}

// P, then its subfolder X, then P again as the walk comes back: P is headed
// again because X's heading came in between.
TEST(ReportGrouping, AFolderIsHeadedAgainWhenAnotherHeadingCameInBetween) {
    ReportGrouping grouping;
    grouping.EnterFolder("C:\\P\\");
    Lines lines = Report(grouping, {"C:\\P\\a"});
    grouping.EnterFolder("C:\\P\\X\\");
    for (const std::string& line : Report(grouping, {"C:\\P\\X\\x"}))
        lines.push_back(line);
    grouping.EnterFolder("C:\\P\\");
    for (const std::string& line : Report(grouping, {"C:\\P\\z"}))
        lines.push_back(line);
    EXPECT_EQ(lines, (Lines{"* Folder C:\\P\\", "+ a", "* Folder C:\\P\\X\\", "+ x",
                            "* Folder C:\\P\\", "+ z"}));
}

// A folder announced without failures leaves no trace, and P announced
// again after it is still the heading the report shows last.
TEST(ReportGrouping, AFolderWithoutFailuresWritesNoHeading) {
    ReportGrouping grouping;
    grouping.EnterFolder("C:\\P\\");
    Lines lines = Report(grouping, {"C:\\P\\a"});
    grouping.EnterFolder("C:\\P\\Y\\");
    grouping.EnterFolder("C:\\P\\");
    for (const std::string& line : Report(grouping, {"C:\\P\\b"}))
        lines.push_back(line);
    EXPECT_EQ(lines, (Lines{"* Folder C:\\P\\", "+ a", "+ b"}));
}

// Each copy's first item is headed, even in the folder the last copy
// headed last; headings compare exactly, letter case included.
TEST(ReportGrouping, ANewCopyAndAFolderInOtherLettersAreHeadedAgain) {
    ReportGrouping grouping;
    grouping.EnterFolder("C:\\P\\");
    Report(grouping, {"C:\\P\\a"});
    grouping.StartCopy();
    grouping.EnterFolder("C:\\P\\");
    EXPECT_EQ(Report(grouping, {"C:\\P\\a"}), (Lines{"* Folder C:\\P\\", "+ a"}));
    grouping.EnterFolder("C:\\p\\");
    EXPECT_EQ(Report(grouping, {"C:\\p\\b"}), (Lines{"* Folder C:\\p\\", "+ b"}));
}
