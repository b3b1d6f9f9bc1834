// The three dialog templates as the program loads them: ids in tab order,
// captions, rectangles, styles and fonts; and the dialogs created from them.
#include "ResourceReader.h"
#include "maker.h"
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace resource_reader;

TEST(ResourceTemplates, MainDialogHasEveryControlInTabOrder) {
    Template t = ReadTemplate(IDD_VELTRA_DIALOG);
    EXPECT_EQ(t.caption, L"Veltra (1.0b)");
    EXPECT_EQ(t.face, L"MS Sans Serif");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.cx, 348);
    EXPECT_EQ(t.cy, 309);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE |
                        DS_MODALFRAME | DS_SETFONT;
    EXPECT_EQ(t.style, style);
    EXPECT_EQ(t.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));

    const std::vector<int> order = {-1,
                                    IDC_SOURCE_GROUP,
                                    IDC_SOURCE_EDIT,
                                    IDC_BROWSE_SOURCE,
                                    IDC_DESTINATION_GROUP,
                                    IDC_DESTINATION_EDIT,
                                    IDC_BROWSE_DESTINATION,
                                    IDC_ASK_BEFORE_OVERWRITE,
                                    IDC_SKIP_UP_TO_DATE,
                                    IDC_BUSY_BAR,
                                    IDC_START_COPY,
                                    IDC_STATISTICS_TEXT,
                                    IDC_STATUS_TEXT,
                                    IDC_PRINT_REPORT,
                                    IDC_REPORT_GROUP,
                                    IDC_REPORT_EDIT,
                                    IDC_ABOUT,
                                    IDC_HELP_BUTTON,
                                    IDC_WEBSITE,
                                    IDOK};
    ASSERT_EQ(Ids(t), order);

    const Item& banner = t.items[0];
    EXPECT_TRUE(IsStatic(banner));
    EXPECT_EQ(banner.style & SS_TYPEMASK, static_cast<DWORD>(SS_BITMAP));
    EXPECT_EQ(banner.textOrdinal, IDB_BANNER);
    ExpectRect(banner, 7, 6, 334, 38);

    const Item& source = t.item(IDC_SOURCE_EDIT);
    EXPECT_EQ(source.classOrdinal, kEdit);
    ExpectRect(source, 15, 58, 249, 17);
    EXPECT_EQ(source.style & (ES_MULTILINE | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP),
              static_cast<DWORD>(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP));

    const Item& report = t.item(IDC_REPORT_EDIT);
    const DWORD reportStyle = ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN |
                              WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP;
    EXPECT_EQ(report.style & reportStyle, reportStyle);
    EXPECT_FALSE(report.style & ES_READONLY) << "the report panel starts editable";
    ExpectRect(report, 15, 218, 317, 55);

    const Item& busy = t.item(IDC_BUSY_BAR);
    EXPECT_TRUE(IsStatic(busy));
    EXPECT_EQ(busy.text, L"Busy Bar");
    EXPECT_TRUE(busy.style & SS_SUNKEN);
    ExpectRect(busy, 15, 149, 249, 17);
    EXPECT_EQ(t.item(IDC_STATUS_TEXT).style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFTNOWORDWRAP));
    // A long path loses its middle, so that the file name shows, and an
    // ampersand in a name is shown, not taken for an accelerator.
    EXPECT_TRUE(t.item(IDC_STATUS_TEXT).style & SS_PATHELLIPSIS);
    EXPECT_TRUE(t.item(IDC_STATUS_TEXT).style & SS_NOPREFIX);
    ExpectRect(t.item(IDC_STATUS_TEXT), 15, 169, 317, 17);
    ExpectRect(t.item(IDC_STATISTICS_TEXT), 15, 189, 249, 17);

    const Item& check = t.item(IDC_ASK_BEFORE_OVERWRITE);
    EXPECT_EQ(check.style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
    EXPECT_EQ(check.text, L"Ask me before overwriting existing destination files");
    ExpectRect(check, 15, 135, 173, 10);
    const Item& skip = t.item(IDC_SKIP_UP_TO_DATE);
    EXPECT_EQ(skip.style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
    EXPECT_EQ(skip.text, L"Skip files already up to date");
    ExpectRect(skip, 192, 135, 140, 10);

    EXPECT_EQ(t.item(IDC_BROWSE_SOURCE).text, L"&Browse...");
    EXPECT_EQ(t.item(IDC_BROWSE_DESTINATION).text, L"Br&owse...");
    EXPECT_EQ(t.item(IDC_START_COPY).text, L"&Start Copy");
    ExpectRect(t.item(IDC_START_COPY), 271, 149, 61, 16);
    EXPECT_EQ(t.item(IDC_PRINT_REPORT).text, L"&Print Report");
    EXPECT_EQ(t.item(IDC_REPORT_GROUP).text, L"Folder Copy Report");
    EXPECT_EQ(t.item(IDC_WEBSITE).text, Wide(VELTRA_WEBSITE_CAPTION));
    ExpectRect(t.item(IDC_WEBSITE), 187, 284, 61, 16);
    EXPECT_EQ(t.item(IDOK).text, L"&Quit");
    ExpectRect(t.item(IDOK), 271, 284, 61, 16);

    for (const Item& i : t.items) {
        EXPECT_FALSE(i.style & WS_DISABLED) << "control " << i.id;
        if (i.classOrdinal == kButton) {
            EXPECT_NE(i.style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON))
                << "no default button: control " << i.id;
        }
    }
}

TEST(ResourceTemplates, AlertHasOkHelpMessageAndIcon) {
    Template t = ReadTemplate(IDD_ALERT);
    EXPECT_EQ(t.caption, L"Veltra Alert");
    EXPECT_EQ(t.face, L"MS Sans Serif");
    EXPECT_EQ(t.style,
              static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(t.cx, 218);
    EXPECT_EQ(t.cy, 90);
    ASSERT_EQ(Ids(t), (std::vector<int>{IDOK, IDCANCEL, IDC_ALERT_MESSAGE, -1}));

    EXPECT_EQ(t.items[0].text, L"&OK");
    EXPECT_EQ(t.items[0].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    ExpectRect(t.items[0], 120, 69, 50, 14);
    EXPECT_EQ(t.items[1].text, L"&Help") << "Help carries IDCANCEL";
    ExpectRect(t.items[1], 46, 69, 50, 14);
    const Item& message = t.items[2];
    EXPECT_EQ(message.style & (SS_TYPEMASK | WS_GROUP), static_cast<DWORD>(SS_LEFT | WS_GROUP));
    ExpectRect(message, 45, 7, 166, 56);
    EXPECT_TRUE(IsStatic(t.items[3]));
    EXPECT_EQ(t.items[3].style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
    EXPECT_EQ(t.items[3].textOrdinal, IDR_MAINFRAME);
    ExpectRect(t.items[3], 7, 7, 21, 20);
}

TEST(ResourceTemplates, AboutShowsVersionMakerWebsiteAndTwoPanes) {
    Template t = ReadTemplate(IDD_ABOUTBOX);
    EXPECT_EQ(t.caption, L"About Veltra");
    EXPECT_EQ(t.cx, 342);
    EXPECT_EQ(t.cy, 321);
    ASSERT_EQ(Ids(t), (std::vector<int>{-1, -1, -1, -1, -1, IDOK, IDC_ABOUT_WEBSITE,
                                        IDC_LICENSE_TEXT, IDC_USAGE_TEXT, -1}));
    EXPECT_EQ(t.items[0].textOrdinal, IDR_MAINFRAME);
    EXPECT_EQ(t.items[1].text, L"Veltra Version 1.0b");
    EXPECT_TRUE(t.items[1].style & SS_NOPREFIX);
    EXPECT_EQ(t.items[2].text, Wide(VELTRA_MAKER_NOTICE)) << "the sign (c) survives";
    EXPECT_EQ(t.items[3].text, L"Website: ");
    EXPECT_EQ(t.items[4].text, L"Software License");
    EXPECT_EQ(t.items[9].text, L"Veltra Usage");
    ExpectRect(t.items[9], 7, 51, 328, 153);

    const Item& web = t.item(IDC_ABOUT_WEBSITE);
    EXPECT_EQ(web.text, Wide(VELTRA_WEBSITE_ADDRESS));
    ExpectRect(web, 69, 34, 84, 14);

    const DWORD pane = ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER |
                       WS_VSCROLL | WS_TABSTOP;
    const Item& license = t.item(IDC_LICENSE_TEXT);
    const Item& usage = t.item(IDC_USAGE_TEXT);
    EXPECT_EQ(license.style & (pane | WS_HSCROLL), pane | WS_HSCROLL);
    EXPECT_EQ(usage.style & (pane | WS_HSCROLL), pane) << "the usage pane scrolls vertically";
    ExpectRect(license, 15, 216, 311, 74);
    ExpectRect(usage, 15, 64, 311, 134);
}

TEST(ResourceTemplates, MainDialogCreatesWithBannerAndTexts) {
    HWND dialog = ::CreateDialogParamA(
        ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_VELTRA_DIALOG), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(dialog, nullptr) << ::GetLastError();
    char text[256] = {};
    ::GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, "Veltra (1.0b)");
    ::GetDlgItemTextA(dialog, IDC_WEBSITE, text, sizeof text);
    EXPECT_STREQ(text, VELTRA_WEBSITE_CAPTION);
    HWND banner = ::GetWindow(dialog, GW_CHILD);
    EXPECT_NE(::SendMessageA(banner, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "banner loaded";
    ::DestroyWindow(dialog);

    HWND about = ::CreateDialogParamA(
        ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUTBOX), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(about, nullptr);
    HWND notice = ::GetWindow(::GetWindow(::GetWindow(about, GW_CHILD), GW_HWNDNEXT), GW_HWNDNEXT);
    ::GetWindowTextA(notice, text, sizeof text);
    EXPECT_STREQ(text, VELTRA_MAKER_NOTICE) << "read back as ANSI with the sign (c)";
    ::DestroyWindow(about);
}
