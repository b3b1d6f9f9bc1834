// A copy that cannot be launched (no memory for its job, no worker thread):
// the dialog says what failed, once, and is back at Ready, from where the
// next Start Copy copies. The dialog runs in this process, with its launch
// failed on purpose.

#include "CopyJob.h"
#include "DialogWatcher.h"
#include "ProcessGauge.h"
#include "TempFolder.h"
#include "UiDriver.h"
#include "VeltraDlg.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>

namespace {
enum class Launch { NoMemory, NoThread, Works };

class LaunchDlg : public CVeltraDlg {
public:
    std::atomic<Launch> launch{Launch::Works};

protected:
    std::unique_ptr<copy_job> NewCopyJob(const std::string& source, const std::string& destination,
                                         bool overwriteSilently) override {
        if (launch == Launch::NoMemory)
            throw std::bad_alloc();
        return CVeltraDlg::NewCopyJob(source, destination, overwriteSilently);
    }
    bool StartCopyJob(copy_job& job) override {
        return launch == Launch::NoThread || CVeltraDlg::StartCopyJob(job);
    }
};

struct AfterFailure {
    std::string alert = "<no alert>";
    bool ready = false;     // status line, Start Copy and the report as before the press
    bool barStopped = false; // the busy bar's thread has ended
};
} // namespace

TEST(LaunchFailure, SaysWhatFailedOnceAndTheDialogIsReadyForTheNextCopy) {
    TempFolder source, destination;
    ASSERT_TRUE(WriteFileBytes(source.path() + "a.txt", "a"));

    LaunchDlg dialog;
    AfterFailure noMemory, noThread;
    bool copied = false;
    RunWithHelper([&] { dialog.DoModal(); },
                  [&](DWORD thread) {
                      HWND main = WaitForThreadDialog(thread, "Veltra (1.0b)");
                      if (!main)
                          return;
                      SetTextOf(GetDlgItem(main, IDC_SOURCE_EDIT), source.path());
                      SetTextOf(GetDlgItem(main, IDC_DESTINATION_EDIT), destination.path());
                      const int threads = ThreadCount();
                      for (auto [failure, seen] :
                           {std::pair{Launch::NoMemory, &noMemory}, {Launch::NoThread, &noThread}}) {
                          dialog.launch = failure;
                          Press(main, IDC_START_COPY);
                          HWND alert = WaitForThreadDialog(thread, "Veltra Alert");
                          if (!alert)
                              return;
                          seen->alert = TextOf(GetDlgItem(alert, IDC_ALERT_MESSAGE));
                          Press(alert, IDOK);
                          // A second message would stand between the OK and Ready.
                          seen->ready = WaitUntil([&] {
                              return TextOf(GetDlgItem(main, IDC_STATUS_TEXT)) == "Status: Ready" &&
                                     IsEnabled(GetDlgItem(main, IDC_START_COPY)) &&
                                     !IsReadOnly(GetDlgItem(main, IDC_REPORT_EDIT));
                          });
                          seen->barStopped = WaitUntil([&] { return ThreadCount() == threads; });
                      }
                      dialog.launch = Launch::Works;
                      Press(main, IDC_START_COPY);
                      copied = WaitUntil([&] {
                          return TextOf(GetDlgItem(main, IDC_REPORT_EDIT))
                                     .find("All files copied successfully") != std::string::npos;
                      });
                      Press(main, IDOK); // Quit
                  });

    EXPECT_EQ(noMemory.alert,
              "Error: New failed when allocating tfc of size=" + std::to_string(sizeof(copy_job)) +
                  " bytes");
    EXPECT_EQ(noThread.alert, "Error: Couldn't spawn folder copy thread");
    for (const AfterFailure* seen : {&noMemory, &noThread}) {
        EXPECT_TRUE(seen->ready) << seen->alert;
        EXPECT_TRUE(seen->barStopped) << seen->alert;
    }
    EXPECT_TRUE(copied);
    EXPECT_TRUE(FileExists(destination.path() + "a.txt"));
}
