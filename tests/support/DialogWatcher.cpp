#include "DialogWatcher.h"

#include "UiDriver.h"

#include <thread>

namespace {
struct Search {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    char className[64] = {};
    ::GetClassNameA(hwnd, className, sizeof(className));
    if (std::string(className) != "#32770" || !::IsWindowVisible(hwnd))
        return TRUE;
    if (!search->caption->empty() && TextOf(hwnd) != *search->caption)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}
} // namespace

HWND WaitForThreadDialog(DWORD threadId, const std::string& caption, DWORD timeoutMs) {
    Search search{&caption, nullptr};
    WaitUntil(
        [&] {
            ::EnumThreadWindows(threadId, &MatchDialog, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

void RunWithHelper(const std::function<void()>& modal,
                   const std::function<void(DWORD modalThread)>& helper) {
    const DWORD self = ::GetCurrentThreadId();
    std::thread watcher([&] {
        helper(self);
        // Whatever the helper left open is closed, so the test cannot hang.
        for (int i = 0; i < 5; ++i) {
            HWND left = WaitForThreadDialog(self, "", 300);
            if (!left)
                break;
            Press(left, IDCANCEL);
            // Veltra's main dialog ignores Escape's IDCANCEL; its close box ends it.
            ::PostMessageA(left, WM_CLOSE, 0, 0);
        }
    });
    modal();
    watcher.join();
}
