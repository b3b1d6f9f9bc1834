#pragma once
// The steps a person takes in Veltra's main dialog, for the tests that drive
// the real Veltra.exe under hostile conditions.

#include "UiDriver.h"
#include "resource.h"

#include <string>

// Types both folders and presses Start Copy.
inline void StartCopyFromDialog(VeltraProcess& app, const std::string& source,
                                const std::string& destination) {
    SetTextOf(app.item(IDC_SOURCE_EDIT), source);
    SetTextOf(app.item(IDC_DESTINATION_EDIT), destination);
    Press(app.dialog(), IDC_START_COPY);
}

inline bool WaitForCopyComplete(VeltraProcess& app, DWORD ms = 120000) {
    return WaitUntil(
        [&] { return TextOf(app.item(IDC_STATUS_TEXT)) == "Status: Folder copy complete"; }, ms);
}

inline std::string ReportOf(VeltraProcess& app) {
    return TextOf(app.item(IDC_REPORT_EDIT));
}

// Ticks or clears "Ask me before overwriting existing destination files".
inline void SetAskBeforeOverwrite(VeltraProcess& app, bool ask) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(app.item(IDC_ASK_BEFORE_OVERWRITE), BM_SETCHECK,
                        ask ? BST_CHECKED : BST_UNCHECKED, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

// The caption of the question the shell asks, on Veltra's behalf and owned
// by its main dialog, before it replaces an existing file.
constexpr const char* kOverwriteQuestionCaption = "Confirm file overwrite";

// Answers the shell's overwrite question with `button` (IDYES or IDNO) the
// way a click does.
inline void AnswerQuestion(HWND question, int button) {
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(question, button)));
}
