#pragma once
// Stands in for the taskbar's calls (TaskbarCalls) and writes down each
// one, as "state 8", "value 42", "create" or "flash": Wine's taskbar shows
// no progress, so the calls are what a test can see.

#include "TaskbarButton.h"

#include <memory>
#include <string>
#include <vector>

struct TaskbarRecorder : TaskbarCalls {
    // Written on the thread that makes the calls; read when it is done.
    std::shared_ptr<std::vector<std::string>> calls = std::make_shared<std::vector<std::string>>();

    bool Create() override {
        calls->push_back("create");
        return true;
    }
    void SetProgressState(HWND, TBPFLAG state) override {
        calls->push_back("state " + std::to_string(state));
    }
    void SetProgressValue(HWND, ULONGLONG done, ULONGLONG total) override {
        calls->push_back("value " + std::to_string(done) + "/" + std::to_string(total));
    }
    void Flash(HWND) override { calls->push_back("flash"); }
};
