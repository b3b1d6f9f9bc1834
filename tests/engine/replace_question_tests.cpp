// The replace question's five answers on one tree, through the whole walk:
// Replace and Skip answer for one file, Replace All and Skip All for the
// rest of the copy, Stop Copy ends it there; a kept file is never a failure.
#include "EngineRun.h"
#include "ReportLines.h"
#include "Trees.h"

#include <gtest/gtest.h>

namespace {

struct ReplaceAnswers : CopyFolders {
    // Five files in the source and, older, in the destination; one file new.
    std::vector<std::string> Copy(std::vector<replace_answer> answers) {
        std::vector<TreeEntry> fresh{{"fresh.txt", "new"}}, old;
        for (char c = 'a'; c <= 'e'; ++c) {
            fresh.push_back({std::string(1, c), "new"});
            old.push_back({std::string(1, c), "old"});
        }
        DeleteFileA((destination + "fresh.txt").c_str());
        EXPECT_TRUE(MakeTree(source, fresh) && MakeTree(destination, old));
        recorder.set_answers(std::move(answers));
        run = RunEngine(source, destination, recorder, false);
        std::vector<std::string> asked; // the files asked about, in order
        for (const Notification& n : run.notices)
            if (n.message == WM_COPY_QUESTION)
                asked.push_back(n.text);
        return asked;
    }
    std::string Content(const std::string& path) {
        std::string content;
        return ReadFileBytes(path, content) ? content : "<missing>";
    }
    int Replaced() {
        int n = 0;
        for (char c = 'a'; c <= 'e'; ++c)
            n += Content(destination + c) == "new";
        return n;
    }
    EngineRun run;
};

TEST_F(ReplaceAnswers, OneFileAllFilesAndStop) {
    using enum replace_answer;
    auto asked = Copy({replace, skip, replace_all});
    ASSERT_EQ(asked.size(), 3u) << Describe(run.notices);
    EXPECT_EQ(Content(asked[1]), "old");
    EXPECT_EQ(Replaced(), 4) << "Replace All replaced the rest unasked";
    EXPECT_EQ(
        FormatSummaryLines(run.statistics, run.incomplete),
        (std::vector<std::string>{"All files copied successfully.  5 files, totalling 0.00Mb.",
                                  "1 files were kept as you chose, totalling 0.00Mb."}));

    EXPECT_EQ(Copy({skip_all}).size(), 1u) << "the next copy asks again";
    EXPECT_EQ(Replaced(), 0);
    EXPECT_EQ(run.statistics.files_kept, 5);
    EXPECT_EQ(run.statistics.files_failed, 0);

    asked = Copy({replace, stop});
    ASSERT_EQ(asked.size(), 2u) << Describe(run.notices);
    EXPECT_EQ(Replaced(), 1) << "nothing after the stop was replaced";
    EXPECT_EQ(run.NotCopied().back(), source + asked[1].substr(destination.size()) +
                                          "  (not replaced: you stopped the copy here)");
    EXPECT_TRUE(run.incomplete);
    EXPECT_EQ(run.statistics.files_copied + run.statistics.files_kept < 6, true)
        << "the walk stopped before its last file";
}

} // namespace
