// The taskbar button's progress: nothing reaches the taskbar before it has
// made the button, then each change once; and the real calls initialise COM
// on the thread that makes the taskbar's object, and release it there.
#include "TaskbarButton.h"
#include "TaskbarRecorder.h"

#include <gtest/gtest.h>

#include <thread>

using Calls = std::vector<std::string>;

TEST(TaskbarButton, WaitsForTheButtonThenTellsEachChangeOnce) {
    auto recorder = std::make_unique<TaskbarRecorder>();
    auto calls = recorder->calls;
    TaskbarButton button(std::move(recorder));
    button.ShowProgress(std::nullopt, false);
    EXPECT_EQ(*calls, Calls{}) << "no button yet: nothing may be made or called";

    button.OnButtonCreated();
    EXPECT_EQ(*calls, (Calls{"create", "state 1"})); // TBPF_INDETERMINATE
    calls->clear();
    button.ShowProgress(12, false);
    button.ShowProgress(12, false);
    button.ShowProgress(13, true);
    button.EndProgress(true);
    // TBPF_NORMAL 2, TBPF_ERROR 4, TBPF_NOPROGRESS 0
    EXPECT_EQ(*calls, (Calls{"state 2", "value 12/100", "state 4", "value 13/100", "state 0",
                             "flash"}));
    calls->clear();
    button.OnButtonCreated(); // the taskbar restarted: a new button, the same object
    EXPECT_EQ(*calls, Calls{"state 0"});
}

TEST(TaskbarCalls, InitialiseComOnTheirOwnThreadAndReleaseIt) {
    HRESULT during = S_OK, after = S_OK;
    std::thread([&] {
        {
            TaskbarCalls calls;
            calls.Create(); // Wine may or may not have the object: COM either way
            during = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            if (SUCCEEDED(during))
                CoUninitialize();
        }
        after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(after))
            CoUninitialize();
    }).join();
    EXPECT_EQ(during, RPC_E_CHANGED_MODE) << "the thread has an apartment while the object lives";
    EXPECT_EQ(after, S_OK) << "and none once it is gone";
}
