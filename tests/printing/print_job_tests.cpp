// Whole print jobs on a memory device context through the recording seam:
// the order of the printer calls, the pages, and every failure message.

#include "PrintRecorder.h"
#include "ReportFixture.h"
#include "ReportPrinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {
using Calls = std::vector<std::string>;

struct PrintJobTest : ::testing::Test {
    // The page of a memory context is the screen; its lines are in the
    // system font.
    explicit PrintJobTest(bool threePages = false) {
        HDC memory = ::CreateCompatibleDC(nullptr);
        pageHeight = ::GetDeviceCaps(memory, VERTRES);
        lineHeight = LineHeightOn(memory);
        ::DeleteDC(memory);
        const int perPage = pageHeight / lineHeight;
        lineCount = threePages ? 2 * perPage + perPage / 2 : 1;
        edit = std::make_unique<ReportEdit>(NumberedLines(lineCount));
    }
    void SetUp() override {
        recorder = std::make_unique<PrintRecorder>(::CreateCompatibleDC(nullptr));
    }
    void Print(HWND report) {
        ReportPrinter(*recorder, [this](const std::string& m) {
            alerts.push_back(m);
        }).Print(report);
    }
    void Print() { Print(edit->hwnd()); }
    bool Called(const char* name) const {
        return std::find(recorder->calls.begin(), recorder->calls.end(), name) !=
               recorder->calls.end();
    }

    int pageHeight = 0;
    int lineHeight = 0;
    int lineCount = 0;
    std::unique_ptr<ReportEdit> edit;
    std::unique_ptr<PrintRecorder> recorder;
    Calls alerts;
};

struct ThreePageJobTest : PrintJobTest {
    ThreePageJobTest() : PrintJobTest(true) {}
};
} // namespace

TEST_F(PrintJobTest, EmptyReportPrintsTheHeaderAndOneEmptyLine) {
    ReportEdit empty({});
    Print(empty.hwnd());
    EXPECT_EQ(recorder->calls, (Calls{"Attach", "StartDoc", "StartPage", "CreateTitleFont",
                                      "EndPage", "EndDoc", "DeleteDC", "DeleteFont"}));
    ASSERT_EQ(recorder->lines.size(), 1u);
    EXPECT_EQ(recorder->lines[0].text, "");
    EXPECT_GT(recorder->lines[0].y, 0); // below the title and the credit line
    EXPECT_EQ(recorder->docName, "Veltra Report");
    EXPECT_EQ(recorder->titleFontHeight, -(pageHeight / 30));
    EXPECT_TRUE(alerts.empty());
}

TEST_F(PrintJobTest, CancelledPrintDialogPrintsNothingAndSaysNothing) {
    recorder = std::make_unique<PrintRecorder>(nullptr);
    Print();
    EXPECT_TRUE(recorder->calls.empty());
    EXPECT_TRUE(alerts.empty());
}

TEST_F(PrintJobTest, ContextThatCannotBeAttachedEndsTheJobBeforeAnyDocument) {
    recorder->failAttach = true;
    Print();
    EXPECT_EQ(recorder->calls, Calls{"Attach"});
    EXPECT_EQ(alerts, Calls{"Error: printing, device context attach failed"});
}

TEST_F(ThreePageJobTest, EveryLineIsPrintedInOrderAndEachPageIsFilledBeforeTheNext) {
    Print();
    EXPECT_TRUE(alerts.empty());
    std::string expected;
    for (const auto& line : NumberedLines(lineCount))
        expected += line;
    EXPECT_EQ(JoinedText(recorder->lines), expected);

    const auto& lines = recorder->lines;
    EXPECT_EQ(lines.back().page, 3);
    EXPECT_EQ(recorder->startPages, 3);
    EXPECT_EQ(recorder->endPages, 3);
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i].text);
        EXPECT_LT(lines[i].y + lineHeight, pageHeight); // ends above the bottom
        if (i == 0)
            continue;
        if (lines[i].page == lines[i - 1].page) {
            EXPECT_EQ(lines[i].y, lines[i - 1].y + lineHeight);
        } else {
            EXPECT_EQ(lines[i].y, 0);                               // later pages have no header
            EXPECT_GE(lines[i - 1].y + 2 * lineHeight, pageHeight); // the page was full
        }
    }
}

TEST_F(ThreePageJobTest, FailedStartOfDocumentAndFirstPageAreReportedAndTheJobGoesOn) {
    recorder->startDocResult = 0;
    recorder->startPageResults[1] = -1;
    Print();
    EXPECT_EQ(alerts, (Calls{"Error: printing, start document error 0",
                             "Error: printing, start page error -1"}));
    EXPECT_EQ(recorder->lines.size(), static_cast<size_t>(lineCount));
    EXPECT_TRUE(Called("EndDoc"));
    EXPECT_FALSE(Called("AbortDoc"));
}

// A printer's own file prompt (Print to PDF) cancelled inside StartDoc.
TEST_F(PrintJobTest, CancelAtThePrintersFilePromptSaysNothingAndPrintsNothing) {
    recorder->startDocResult = SP_ERROR;
    recorder->startDocError = ERROR_CANCELLED;
    Print();
    EXPECT_EQ(recorder->calls, (Calls{"Attach", "StartDoc", "DeleteDC"}));
    EXPECT_TRUE(alerts.empty()) << alerts.front();
}

TEST_F(ThreePageJobTest, FailedStartOfALaterPageAbandonsTheJob) {
    recorder->startPageResults[2] = 0;
    Print();
    EXPECT_EQ(alerts, Calls{"Error: printing, start page error(2) 0"});
    EXPECT_EQ(recorder->lines.back().page, 1); // nothing after the break
    EXPECT_FALSE(Called("EndDoc"));
    // The unfinished document is discarded, then everything is released.
    const Calls tail(recorder->calls.end() - 3, recorder->calls.end());
    EXPECT_EQ(tail, (Calls{"AbortDoc", "DeleteDC", "DeleteFont"}));
}

struct EndPageFailure {
    int result;
    const char* message; // nullptr: abandoned without a message
};

class EndPageFailureTest : public ThreePageJobTest,
                           public ::testing::WithParamInterface<EndPageFailure> {};

TEST_P(EndPageFailureTest, AtAPageBreakAndAtTheLastPageAbandonsTheJob) {
    const EndPageFailure failure = GetParam();
    for (int failing : {1, 3}) {
        SCOPED_TRACE(failing);
        SetUp();
        alerts.clear();
        recorder->endPageResults[failing] = failure.result;
        Print();
        EXPECT_EQ(alerts, failure.message ? Calls{failure.message} : Calls{});
        EXPECT_EQ(recorder->endPages, failing);
        EXPECT_FALSE(Called("EndDoc"));
        EXPECT_TRUE(Called("AbortDoc"));
        EXPECT_EQ(recorder->calls.back(), "DeleteFont");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, EndPageFailureTest,
    ::testing::Values(EndPageFailure{-1, "Error: printing, end page error(-1): general error"},
                      EndPageFailure{-2, nullptr}, EndPageFailure{-3, nullptr},
                      EndPageFailure{-4, "Error: printing, end page error(-4): out of disk"},
                      EndPageFailure{-5, "Error: printing, end page error(-5): out of memory"},
                      EndPageFailure{-9, "Error: printing, end page error(-9): unknown error"}),
    [](const auto& info) { return "Result" + std::to_string(-info.param.result); });

TEST_F(PrintJobTest, FailedEndOfDocumentNamesTheReasonExceptWhenTheUserCancelled) {
    const std::pair<int, const char*> cases[] = {
        {-1, "Error: printing, end document error (-1): general error"},
        {-2, "Error: printing, end document error (-2): unknown error"},
        {-3, nullptr},
        {-4, "Error: printing, end document error (-4): out of disk"},
        {-5, "Error: printing, end document error (-5): out of memory"},
        {-6, "Error: printing, end document error (-6): unknown error"},
    };
    for (auto [result, message] : cases) {
        SCOPED_TRACE(result);
        SetUp();
        alerts.clear();
        recorder->endDocResult = result;
        Print();
        EXPECT_EQ(alerts, message ? Calls{message} : Calls{});
        EXPECT_FALSE(Called("AbortDoc")); // the document was ended, well or not
        EXPECT_EQ(recorder->calls.back(), "DeleteFont");
    }
}

TEST_F(PrintJobTest, CleanupReportsEachFailedReleaseAndStillReleasesTheRest) {
    recorder->failDeleteDC = true;
    recorder->failDeleteFont = true;
    Print();
    EXPECT_EQ(alerts, (Calls{"Error: printing, delete device context failed",
                             "Error: printing, font delete failed"}));

    SetUp();
    alerts.clear();
    recorder->failCreateFont = true; // title in the context's own font
    recorder->failDeleteDC = true;
    Print();
    EXPECT_EQ(alerts, Calls{"Error: printing, delete device context failed"});
    EXPECT_FALSE(Called("DeleteFont"));
    EXPECT_EQ(recorder->lines.size(), 1u);
}
