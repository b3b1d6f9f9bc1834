// The worker's replace question: shown in Veltra's own question dialog, one
// at a time, while the worker waits for the answer.
#include "AskReplace.h"

#include "CopyJob.h"
#include "FormatText.h"
#include "ReplaceDlg.h"
#include "VeltraDlg.h"
#include "resource.h"

namespace {

// Whole bytes with thousands separators, as the file's Properties show them.
std::string GroupedBytes(double bytes) {
    std::string digits = FormatText("%.0f", bytes);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

// The time in the user's own short date and time formats, in local time.
std::string LocalDateAndTime(const FILETIME& written) {
    SYSTEMTIME utc, local;
    if (!FileTimeToSystemTime(&written, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return "an unknown date";
    char date[80] = {}, time[80] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

} // namespace

std::string DescribeFile(const file_facts& facts) {
    if (!facts.known)
        return "size and date unknown";
    return GroupedBytes(facts.size) + " bytes, modified " + LocalDateAndTime(facts.written);
}

ReplaceQuestionTexts DescribeReplaceQuestion(const replace_question& question) {
    const std::string& path = question.destination_file;
    size_t slash = path.rfind('\\');
    size_t cut = slash == std::string::npos ? 0 : slash + 1;
    return {path.substr(cut), path.substr(0, cut), DescribeFile(question.destination),
            DescribeFile(question.source)};
}

replace_answer AnswerOfButton(INT_PTR button) {
    switch (button) {
    case IDYES:
        return replace_answer::replace;
    case IDC_REPLACE_ALL:
        return replace_answer::replace_all;
    case IDC_SKIP_ALL:
        return replace_answer::skip_all;
    case IDCANCEL:
        return replace_answer::stop;
    }
    return replace_answer::skip;
}

// A file that would be replaced, while "Ask me before overwriting" is
// checked: the worker waits for this answer.
LRESULT CVeltraDlg::OnCopyQuestion(WPARAM, LPARAM) {
    constexpr LRESULT kSkip = static_cast<LRESULT>(replace_answer::skip);
    if (!IsCopyRunning())
        return kSkip; // not ours: nothing is replaced
    TakeCopyNews();
    std::optional<replace_question> question = m_queue.pop_question();
    if (!question || m_bClosing)
        return kSkip; // closing keeps the existing file rather than ask
    FlushReport();

    ReplaceQuestionTexts texts = DescribeReplaceQuestion(*question);
    CReplaceDlg dialog(nullptr);
    dialog.m_strName = texts.name;
    dialog.m_strFolder = texts.folder;
    dialog.m_strExisting = texts.existing;
    dialog.m_strIncoming = texts.incoming;
    m_pReplaceDlg = &dialog;
    INT_PTR button = dialog.DoModal();
    m_pReplaceDlg = nullptr;
    if (m_bCloseAfterQuestion) {
        // The dialog was asked to close while the question was open: the
        // worker, no longer waiting, can now be waited for.
        PostMessage(m_hWnd, WM_CLOSE, 0, 0);
        return kSkip;
    }
    return static_cast<LRESULT>(AnswerOfButton(button));
}
