#include "DialogWatcher.h"

#include <thread>
#include <vector>

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
    if (!search->caption->empty() && WindowText(hwnd) != *search->caption)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

BOOL CALLBACK AppendText(HWND hwnd, LPARAM lParam) {
    auto* texts = reinterpret_cast<std::string*>(lParam);
    *texts += WindowText(hwnd) + "\n";
    return TRUE;
}
} // namespace

HWND WaitForThreadDialog(DWORD threadId, const std::string& caption, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        Search search{&caption, nullptr};
        ::EnumThreadWindows(threadId, &MatchDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        ::Sleep(50);
    }
    return nullptr;
}

std::string WindowText(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::vector<char> buffer(length + 1, '\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                          SMTO_ABORTIFHUNG, 5000, &copied);
    return std::string(buffer.data(), copied);
}

std::string ChildTexts(HWND dialog) {
    std::string texts;
    ::EnumChildWindows(dialog, &AppendText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

void PostCommand(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
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
            PostCommand(left, IDCANCEL);
        }
    });
    modal();
    watcher.join();
}
