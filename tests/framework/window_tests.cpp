// Message routing and window texts: which member a message map calls, how a
// handler's result reaches the sender of a dialog's message, and window texts
// read whole whatever their length.

#include "Dialog.h"
#include "DialogWatcher.h"
#include "Gdi.h"
#include "ReportFixture.h"
#include "UiDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
constexpr UINT kNews = WM_USER + 1, kQuestion = WM_USER + 2;

struct Target {
    std::string calls;
    void OnPaint() { calls += "paint "; }
    void OnStart() { calls += "start "; }
    void OnStop() { calls += "stop "; }
    LRESULT OnNews(WPARAM w, LPARAM l) { return calls += "news ", w * 10 + l; }
    LRESULT OnQuestion(WPARAM, LPARAM) { return calls += "question ", IDYES; }
    void OnSysCommand(UINT id, LPARAM l) { calls += id == SC_CLOSE && l == 7 ? "close " : "sys? "; }
    HCURSOR OnQueryDragIcon() { return calls += "icon ", reinterpret_cast<HCURSOR>(0x55); }

    bool Route(UINT message, WPARAM w, LPARAM l, LRESULT& result) {
        using Entry = MessageMapEntry<Target>;
        static const Entry map[] = {
            {WM_PAINT, &Target::OnPaint},
            Entry::Command(IDOK, &Target::OnStart),
            {kNews, &Target::OnNews},
            Entry::Command(IDCANCEL, &Target::OnStop),
            {kQuestion, &Target::OnQuestion},
            {WM_SYSCOMMAND, &Target::OnSysCommand},
            {WM_QUERYDRAGICON, &Target::OnQueryDragIcon},
        };
        return DispatchMessageMap<Target>(this, map, message, w, l, result);
    }
};
} // namespace

TEST(MessageMap, EachMessageCallsItsOwnMemberWithItsArgumentsAndResultOthersFallThrough) {
    Target t;
    LRESULT r = 99;
    EXPECT_FALSE(t.Route(WM_SIZE, 0, 0, r));
    EXPECT_FALSE(t.Route(WM_COMMAND, MAKEWPARAM(IDABORT, 0), 0, r));      // an id without an entry
    EXPECT_FALSE(t.Route(WM_COMMAND, MAKEWPARAM(IDOK, EN_CHANGE), 0, r)); // not a click
    EXPECT_EQ(t.calls, "");
    EXPECT_TRUE(t.Route(WM_PAINT, 0, 0, r));
    EXPECT_EQ(r, 0); // a member without a result answers 0, not what was there
    EXPECT_TRUE(t.Route(kNews, 4, 2, r));
    EXPECT_EQ(r, 42);
    EXPECT_TRUE(t.Route(kQuestion, 4, 2, r));
    EXPECT_EQ(r, IDYES);
    EXPECT_TRUE(t.Route(WM_SYSCOMMAND, SC_CLOSE, 7, r));
    EXPECT_TRUE(t.Route(WM_QUERYDRAGICON, 0, 0, r));
    EXPECT_EQ(r, 0x55);
    EXPECT_TRUE(t.Route(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0, r));
    EXPECT_TRUE(t.Route(WM_COMMAND, MAKEWPARAM(IDOK, 0), 0, r));
    EXPECT_EQ(t.calls, "paint news question close icon stop start ");
}

namespace {
constexpr UINT kTwiceAndAdd = WM_USER + 7;

// A dialog on the alert's template answering one message of the program's own
// and one whose result the dialog procedure returns itself.
class AnsweringDialog : public CDialog {
public:
    AnsweringDialog() : CDialog(IDD_ALERT) {}
    CBrush brush{RGB(10, 20, 30)};

    bool OnWndMsg(UINT m, WPARAM w, LPARAM l, LRESULT& r) override {
        using Entry = MessageMapEntry<AnsweringDialog>;
        static const Entry map[] = {
            {kTwiceAndAdd, &AnsweringDialog::OnTwiceAndAdd},
            {WM_CTLCOLORDLG, &AnsweringDialog::OnCtlColor},
        };
        return DispatchMessageMap<AnsweringDialog>(this, map, m, w, l, r) ||
               CDialog::OnWndMsg(m, w, l, r);
    }
    LRESULT OnTwiceAndAdd(WPARAM w, LPARAM l) { return 2 * static_cast<LRESULT>(w) + l; }
    LRESULT OnCtlColor(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(brush.GetSafeHandle()); }
};

LRESULT Ask(HWND window, UINT message, WPARAM w, LPARAM l) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, message, w, l, SMTO_ABORTIFHUNG, 10000, &answer);
    return static_cast<LRESULT>(answer);
}
} // namespace

// The answers differ from TRUE and from each other, so that a result sent
// by the wrong route (or a stale DWLP_MSGRESULT) shows.
TEST(DialogProcedure, HandlerResultsReachTheSenderByTheRouteOfTheirMessage) {
    AnsweringDialog dialog;
    LRESULT own[2] = {}, color = 0;
    bool found = false;
    INT_PTR ended = 0;
    RunWithHelper([&] { ended = dialog.DoModal(); },
                  [&](DWORD thread) {
                      HWND hwnd = WaitForThreadDialog(thread, "Veltra Alert");
                      if (!(found = hwnd != nullptr))
                          return;
                      own[0] = Ask(hwnd, kTwiceAndAdd, 20, 1);
                      own[1] = Ask(hwnd, kTwiceAndAdd, 0, -5);
                      color = Ask(hwnd, WM_CTLCOLORDLG, 0, 0);
                      Press(hwnd, IDOK);
                  });
    ASSERT_TRUE(found);
    EXPECT_EQ(own[0], 41);
    EXPECT_EQ(own[1], -5);
    EXPECT_EQ(color, reinterpret_cast<LRESULT>(dialog.brush.GetSafeHandle()));
    EXPECT_EQ(ended, IDOK); // the base dialog's OK entry still behind the subclass's map
}

// Numbered lines of varied width (about 108,000 characters), so that a cut
// or a repeated stretch shows; then UTF-8 of two to four bytes a character.
TEST(WindowText, TextsLongerThanAnyBufferAreReadWhole) {
    std::vector<std::string> utf8;
    for (int i = 0; i < 8000; ++i)
        utf8.push_back(std::to_string(i) + " \xC3\xA4\xE2\x82\xAC\xF0\x9D\x84\x9E");
    for (const auto& lines : {NumberedLines(3500), utf8, std::vector<std::string>{}}) {
        std::string expected;
        for (const auto& line : lines)
            expected += (expected.empty() ? "" : "\r\n") + line;
        ReportEdit edit(lines);
        const std::string text = GetWindowTextString(edit.hwnd());
        EXPECT_EQ(text.size(), expected.size());
        EXPECT_TRUE(text == expected);
    }
}
