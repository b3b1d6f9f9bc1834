// Every caption of the three dialogs shows whole: each button, check box and
// static text is created from its template and its caption measured in the
// control's own font against the room the control draws it in. Run under the
// prepared Wine prefix, whose "MS Sans Serif" has Windows' widths, this
// catches a caption (or a maker's web address) that would be cut.
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// The caption as it shows: the access-key marker '&' taken out ("&&" shows
// one '&'), and trailing blanks dropped, since they show nothing.
std::string Shown(const std::string& caption, bool noPrefix) {
    std::string shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && !noPrefix && ++i == caption.size())
            break;
        shown += caption[i];
    }
    while (!shown.empty() && shown.back() == ' ')
        shown.pop_back();
    return shown;
}

struct Room {
    bool measured = false; // a control whose caption is text
    bool noPrefix = false;
    int width = 0; // pixels the caption may take
};

// Where the control draws its caption: a push button inside its 3-D frame;
// a check box right of its box (12 pixels at 96 DPI plus one) and a gap of
// half a '0'; a text static across its client area.
Room RoomFor(HWND control, HDC dc) {
    char className[32] = {};
    ::GetClassNameA(control, className, sizeof className);
    const LONG style = ::GetWindowLongA(control, GWL_STYLE);
    RECT client;
    ::GetClientRect(control, &client);
    Room room;
    room.width = client.right - client.left;
    if (lstrcmpiA(className, "Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            room.measured = true;
            room.width -= 2 * ::GetSystemMetrics(SM_CXEDGE);
            break;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX: {
            room.measured = true;
            INT zero = 0;
            ::GetCharWidth32A(dc, '0', '0', &zero);
            room.width -= 12 * ::GetDeviceCaps(dc, LOGPIXELSX) / 96 + 1 + zero / 2;
            break;
        }
        default: // group boxes draw their caption on their frame
            break;
        }
    } else if (lstrcmpiA(className, "Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        room.measured = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT ||
                        type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE;
        room.noPrefix = (style & SS_NOPREFIX) != 0;
    }
    return room;
}

// Columns at the right of the character's cell that it leaves blank: a
// caption may lose those of its last letter without losing anything that
// shows (the colon of "Website: " ends in one).
int TrailingBlank(HDC dc, char c) {
    SIZE cell = {};
    ::GetTextExtentPoint32A(dc, &c, 1, &cell);
    if (cell.cx <= 0 || cell.cy <= 0)
        return 0;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = cell.cx;
    info.bmiHeader.biHeight = -cell.cy; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    DWORD* pixels = nullptr;
    HDC memory = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS,
                                        reinterpret_cast<void**>(&pixels), nullptr, 0);
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    HGDIOBJ oldFont = ::SelectObject(memory, ::GetCurrentObject(dc, OBJ_FONT));
    RECT all = {0, 0, cell.cx, cell.cy};
    ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(memory, TRANSPARENT);
    ::SetTextColor(memory, RGB(0, 0, 0));
    ::TextOutA(memory, 0, 0, &c, 1);
    ::GdiFlush();
    int blank = 0;
    for (int x = cell.cx - 1; x >= 0; --x, ++blank) {
        bool ink = false;
        for (int y = 0; y < cell.cy && !ink; ++y)
            ink = (pixels[y * cell.cx + x] & 0xFFFFFF) != 0xFFFFFF;
        if (ink)
            break;
    }
    ::SelectObject(memory, oldFont);
    ::DeleteObject(::SelectObject(memory, oldBitmap));
    ::DeleteDC(memory);
    return blank;
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// Creates the dialog from its template and checks each caption; prints each
// measurement, so that a run shows how much room every caption has.
void ExpectEveryCaptionFits(int templateId) {
    SCOPED_TRACE(templateId);
    HWND dialog = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                       nullptr, QuietDialog, 0);
    ASSERT_NE(dialog, nullptr) << ::GetLastError();
    HDC dc = ::GetDC(dialog);
    int measured = 0;
    for (HWND control = ::GetWindow(dialog, GW_CHILD); control;
         control = ::GetWindow(control, GW_HWNDNEXT)) {
        HGDIOBJ old =
            ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)));
        const Room room = RoomFor(control, dc);
        char caption[256] = {};
        ::GetWindowTextA(control, caption, sizeof caption);
        const std::string shown = Shown(caption, room.noPrefix);
        if (room.measured && !shown.empty()) {
            // Measured in UTF-16, as the control draws it: the 8-bit call would
            // read the UTF-8 bytes of the copyright sign in the font's
            // character set, as two characters.
            wchar_t wide[256] = {};
            const int length = ::MultiByteToWideChar(CP_ACP, 0, shown.c_str(),
                                                     static_cast<int>(shown.size()), wide, 255);
            SIZE extent = {};
            ::GetTextExtentPoint32W(dc, wide, length, &extent);
            const int width = extent.cx - TrailingBlank(dc, shown.back());
            std::printf("dialog %d control %d: %d of %d px \"%s\"\n", templateId,
                        ::GetDlgCtrlID(control), width, room.width, shown.c_str());
            EXPECT_LE(width, room.width) << "cut: \"" << shown << "\"";
            ++measured;
        }
        ::SelectObject(dc, old);
    }
    ::ReleaseDC(dialog, dc);
    ::DestroyWindow(dialog);
    EXPECT_GT(measured, 0);
}

} // namespace

TEST(CaptionFit, EveryCaptionOfTheFourDialogsShowsWhole) {
    HDC screen = ::GetDC(nullptr);
    char face[LF_FACESIZE] = {};
    HGDIOBJ old =
        ::SelectObject(screen, ::CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0,
                                             0, 0, 0, "MS Sans Serif"));
    ::GetTextFaceA(screen, sizeof face, face);
    ::DeleteObject(::SelectObject(screen, old));
    ::ReleaseDC(nullptr, screen);
    std::printf("\"MS Sans Serif\" is drawn with \"%s\"\n", face);

    ExpectEveryCaptionFits(IDD_VELTRA_DIALOG);
    ExpectEveryCaptionFits(IDD_ABOUTBOX);
    ExpectEveryCaptionFits(IDD_ALERT);
    ExpectEveryCaptionFits(IDD_REPLACE_QUESTION);
}
