// The replace question's five answers on one tree, through the whole walk:
// Replace and Skip answer for one file, Replace All and Skip All for the
// rest of the copy, Stop Copy ends it there; a kept file is never a failure.
#include "EngineRun.h"
#include "ReportLines.h"
#include "Trees.h"

#include <gtest/gtest.h>

namespace {

constexpr int kExisting = 5;

struct ReplaceAnswers : CopyFolders {
    void SetUp() override {
        std::vector<TreeEntry> source_tree{{"fresh.txt", "only in the source"}};
        for (int i = 0; i < kExisting; ++i)
            source_tree.push_back({Name(i), "new"});
        ASSERT_TRUE(MakeTree(source, source_tree));
    }
    static std::string Name(int i) { return "f" + std::to_string(i) + ".txt"; }
    // Every file of the destination back to "old"; fresh.txt gone.
    void ResetDestination() {
        DeleteFileA((destination + "fresh.txt").c_str());
        std::vector<TreeEntry> old;
        for (int i = 0; i < kExisting; ++i)
            old.push_back({Name(i), "old"});
        ASSERT_TRUE(MakeTree(destination, old));
    }
    // Runs a copy with `answers` given in turn; returns the files asked
    // about, in the order asked.
    std::vector<std::string> Copy(std::vector<replace_answer> answers) {
        ResetDestination();
        recorder.set_answers(std::move(answers));
        run = RunEngine(source, destination, recorder, false);
        std::vector<std::string> asked;
        for (const Notification& n : run.notices)
            if (n.message == WM_COPY_QUESTION)
                asked.push_back(n.text);
        return asked;
    }
    std::string Content(const std::string& path) {
        std::string content;
        return ReadFileBytes(path, content) ? content : "<missing>";
    }
    int CountContent(const std::string& wanted) {
        int n = 0;
        for (int i = 0; i < kExisting; ++i)
            n += Content(destination + Name(i)) == wanted;
        return n;
    }
    EngineRun run;
};

TEST_F(ReplaceAnswers, ReplaceSkipThenReplaceAllHoldsForTheRest) {
    auto asked = Copy({replace_answer::replace, replace_answer::skip, replace_answer::replace_all});
    ASSERT_EQ(asked.size(), 3u) << Describe(run.notices);
    EXPECT_EQ(Content(asked[0]), "new");
    EXPECT_EQ(Content(asked[1]), "old");
    EXPECT_EQ(CountContent("new"), kExisting - 1) << "Replace All replaced the rest unasked";
    EXPECT_EQ(run.statistics.files_copied, kExisting);
    EXPECT_EQ(run.statistics.files_kept, 1);
    EXPECT_EQ(run.statistics.bytes_kept, 3);
    EXPECT_EQ(run.statistics.files_failed, 0);
    EXPECT_EQ(FormatSummaryLines(run.statistics, run.incomplete),
              (std::vector<std::string>{
                  "All files copied successfully.  5 files, totalling 0.00Mb.",
                  "1 files were kept as you chose, totalling 0.00Mb."}));
}

TEST_F(ReplaceAnswers, SkipAllKeepsEveryExistingFileAfterOneQuestion) {
    auto asked = Copy({replace_answer::skip_all});
    EXPECT_EQ(asked.size(), 1u) << Describe(run.notices);
    EXPECT_EQ(CountContent("old"), kExisting);
    EXPECT_EQ(Content(destination + "fresh.txt"), "only in the source");
    EXPECT_EQ(run.statistics.files_kept, kExisting);
    EXPECT_EQ(run.statistics.files_failed, 0);
    EXPECT_EQ(run.NotCopied().size(), static_cast<size_t>(kExisting)) << "each kept file is named";

    // The next copy asks again: "All" held for that copy only.
    EXPECT_EQ(Copy({replace_answer::replace_all}).size(), 1u);
    EXPECT_EQ(CountContent("new"), kExisting);
}

TEST_F(ReplaceAnswers, StopCopyEndsTheCopyThereAndLeavesTheRestAlone) {
    auto asked = Copy({replace_answer::replace, replace_answer::stop});
    ASSERT_EQ(asked.size(), 2u) << Describe(run.notices);
    EXPECT_EQ(Content(asked[0]), "new");
    EXPECT_EQ(Content(asked[1]), "old");
    EXPECT_EQ(CountContent("new"), 1) << "nothing after the stop was replaced";
    std::string stoppedAt = source + asked[1].substr(destination.size());
    EXPECT_EQ(run.NotCopied().back(), stoppedAt + "  (not replaced: you stopped the copy here)");
    EXPECT_TRUE(run.incomplete);
    EXPECT_EQ(run.statistics.files_kept, 1);
    EXPECT_EQ(run.statistics.files_failed, 0);
    EXPECT_LT(run.statistics.files_copied + run.statistics.files_kept, kExisting + 1)
        << "the walk stopped before the last file";
    auto summary = FormatSummaryLines(run.statistics, run.incomplete);
    ASSERT_EQ(summary.size(), 2u);
    EXPECT_EQ(summary[0].rfind("The copy is incomplete", 0), 0u) << summary[0];
}

} // namespace
