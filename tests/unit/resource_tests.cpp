// The compiled resources as the program loads them: the three dialog
// templates (ids, order, captions, rectangles, styles), icons, banner,
// the About item's string, version information and manifest.
#include "maker.h"
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Item {
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::wstring className; // empty when given as an ordinal
    WORD classOrdinal = 0;
    std::wstring text;
    WORD textOrdinal = 0; // icon or bitmap resource of an image static
};

struct Template {
    DWORD style = 0, exStyle = 0;
    short cx = 0, cy = 0;
    std::wstring caption, face;
    WORD pointSize = 0;
    std::vector<Item> items;

    const Item& item(int id) const {
        for (const Item& i : items)
            if (i.id == id)
                return i;
        ADD_FAILURE() << "no control " << id;
        static const Item none;
        return none;
    }
};

const BYTE* LoadResourceBytes(LPCSTR name, LPCSTR type, DWORD* size = nullptr) {
    HRSRC info = ::FindResourceA(nullptr, name, type);
    if (!info)
        return nullptr;
    if (size)
        *size = ::SizeofResource(nullptr, info);
    return static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, info)));
}

// Reads a DLGTEMPLATEEX: a packed sequence of words, strings and ordinals.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* p) : m_p(p) {}
    WORD Word() { return Take<WORD>(); }
    DWORD Dword() { return Take<DWORD>(); }
    short Short() { return static_cast<short>(Word()); }
    void Align() {
        while (reinterpret_cast<uintptr_t>(m_p) % 4)
            ++m_p;
    }
    // A string, or an ordinal (0xFFFF, then its number) returned in *ordinal.
    std::wstring StringOrOrdinal(WORD* ordinal) {
        if (*reinterpret_cast<const WORD*>(m_p) == 0xFFFF) {
            Word();
            *ordinal = Word();
            return {};
        }
        std::wstring text;
        while (WORD c = Word())
            text += static_cast<wchar_t>(c);
        return text;
    }

private:
    template <class T> T Take() {
        T value;
        memcpy(&value, m_p, sizeof value);
        m_p += sizeof value;
        return value;
    }
    const BYTE* m_p;
};

Template ReadTemplate(int id) {
    Template t;
    const BYTE* bytes = LoadResourceBytes(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)); // RT_DIALOG
    if (!bytes) {
        ADD_FAILURE() << "no dialog template " << id;
        return t;
    }
    TemplateReader r(bytes);
    EXPECT_EQ(r.Word(), 1) << "DIALOGEX version";
    EXPECT_EQ(r.Word(), 0xFFFF) << "DIALOGEX signature";
    r.Dword(); // help id
    t.exStyle = r.Dword();
    t.style = r.Dword();
    WORD count = r.Word();
    r.Short();
    r.Short();
    t.cx = r.Short();
    t.cy = r.Short();
    WORD ordinal = 0;
    r.StringOrOrdinal(&ordinal); // menu
    r.StringOrOrdinal(&ordinal); // class
    t.caption = r.StringOrOrdinal(&ordinal);
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Word();
        r.Word(); // weight
        r.Word(); // italic, charset
        t.face = r.StringOrOrdinal(&ordinal);
    }
    for (WORD i = 0; i < count; ++i) {
        r.Align();
        Item item;
        r.Dword(); // help id
        r.Dword(); // extended style
        item.style = r.Dword();
        item.x = r.Short();
        item.y = r.Short();
        item.cx = r.Short();
        item.cy = r.Short();
        item.id = static_cast<int>(r.Dword());
        item.className = r.StringOrOrdinal(&item.classOrdinal);
        item.text = r.StringOrOrdinal(&item.textOrdinal);
        WORD extra = r.Word();
        for (WORD k = 0; k < extra; ++k)
            r.Word(); // never used here; keeps the reader in step
        t.items.push_back(item);
    }
    return t;
}

std::wstring Wide(std::string_view ansi) {
    wchar_t buffer[256] = {};
    int n = ::MultiByteToWideChar(1252, 0, ansi.data(), static_cast<int>(ansi.size()), buffer, 255);
    return std::wstring(buffer, n);
}

std::vector<int> Ids(const Template& t) {
    std::vector<int> ids;
    for (const Item& i : t.items)
        ids.push_back(i.id);
    return ids;
}

void ExpectRect(const Item& i, short x, short y, short cx, short cy) {
    EXPECT_EQ(i.x, x) << "control " << i.id;
    EXPECT_EQ(i.y, y) << "control " << i.id;
    EXPECT_EQ(i.cx, cx) << "control " << i.id;
    EXPECT_EQ(i.cy, cy) << "control " << i.id;
}

constexpr WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82;

// A class is an ordinal of the predefined ones, or a name ("Static").
bool IsStatic(const Item& i) {
    return i.classOrdinal == kStatic || _wcsicmp(i.className.c_str(), L"Static") == 0;
}

} // namespace

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
    ExpectRect(t.item(IDC_STATUS_TEXT), 15, 169, 317, 17);
    ExpectRect(t.item(IDC_STATISTICS_TEXT), 15, 189, 249, 17);

    const Item& check = t.item(IDC_ASK_BEFORE_OVERWRITE);
    EXPECT_EQ(check.style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
    EXPECT_EQ(check.text, L"Ask me before overwriting existing destination files");
    ExpectRect(check, 15, 135, 173, 10);

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
        if (i.classOrdinal == kButton)
            EXPECT_NE(i.style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON))
                << "no default button: control " << i.id;
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

TEST(ResourcePictures, IconsAre16ColoursInTheirSizes) {
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bits;
        DWORD bytes;
        WORD id;
    };
#pragma pack(pop)
    auto entries = [](int id) {
        std::vector<GroupEntry> result;
        const BYTE* group = LoadResourceBytes(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));
        if (!group)
            return result;
        WORD count;
        memcpy(&count, group + 4, sizeof count);
        for (WORD i = 0; i < count; ++i) {
            GroupEntry e;
            memcpy(&e, group + 6 + i * sizeof e, sizeof e);
            result.push_back(e);
        }
        return result;
    };
    std::vector<GroupEntry> program = entries(IDR_MAINFRAME);
    ASSERT_EQ(program.size(), 2u);
    EXPECT_EQ(program[0].width, 32);
    EXPECT_EQ(program[0].height, 32);
    EXPECT_EQ(program[1].width, 16);
    EXPECT_EQ(program[1].height, 16);
    std::vector<GroupEntry> small = entries(IDI_SMALL);
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(small[0].width, 32);
    for (const GroupEntry& e : program)
        EXPECT_EQ(e.bits, 4);
    EXPECT_EQ(small[0].bits, 4);

    EXPECT_NE(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr);
    EXPECT_NE(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SMALL)), nullptr);
}

TEST(ResourcePictures, BannerIs500By61At16BitsPerPixel) {
    const BYTE* bytes = LoadResourceBytes(MAKEINTRESOURCEA(IDB_BANNER), MAKEINTRESOURCEA(2));
    ASSERT_NE(bytes, nullptr);
    BITMAPINFOHEADER header;
    memcpy(&header, bytes, sizeof header);
    EXPECT_EQ(header.biWidth, 500);
    EXPECT_EQ(header.biHeight, 61);
    EXPECT_EQ(header.biBitCount, 16);

    HBITMAP bitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BANNER));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    ::GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 500);
    EXPECT_EQ(info.bmHeight, 61);
    ::DeleteObject(bitmap);
}

TEST(ResourceTexts, AboutItemVersionAndManifest) {
    char text[64] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text);
    EXPECT_STREQ(text, "&About Veltra...");

    DWORD size = 0;
    const BYTE* manifest = LoadResourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24), &size);
    ASSERT_NE(manifest, nullptr) << "manifest is resource 1 of type RT_MANIFEST";
    std::string xml(reinterpret_cast<const char*>(manifest), size);
    for (const char* part : {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"",
                             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "asInvoker"})
        EXPECT_NE(xml.find(part), std::string::npos) << part;

    const BYTE* version = LoadResourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16), &size);
    ASSERT_NE(version, nullptr);
    std::wstring block(reinterpret_cast<const wchar_t*>(version), size / sizeof(wchar_t));
    EXPECT_NE(block.find(Wide(VELTRA_MAKER_NAME)), std::wstring::npos);
    EXPECT_NE(block.find(Wide(VELTRA_VERSION_TEXT)), std::wstring::npos);
}

// The help page beside the program explains every message the program shows.
TEST(ResourceHelpPage, ExplainsEveryMessage) {
    std::ifstream file(VELTRA_HELP_FILE, std::ios::binary);
    ASSERT_TRUE(file) << "help.html is copied next to Veltra.exe: " << VELTRA_HELP_FILE;
    std::string page((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const char* const texts[] = {
        "Source folder not specified",
        "Destination folder not specified",
        "Source folder path is too long (at most 259 characters)",
        "Destination folder path is too long (at most 259 characters)",
        "Source folder must be a fully qualified path e.g. C:\\source\\folder",
        "Destination folder must be a fully qualified path e.g. D:\\destination\\folder",
        "Source folder can't be a shortcut",
        "Destination folder can't be a shortcut",
        "Source and destination folders must be different",
        "Error: New failed when allocating tfc of size=",
        "AfxBeginThread failed",
        "Error: Couldn't spawn folder copy thread",
        "Source folder does not exist (",
        "Error: Couldn't select folder - Check source folder exists (",
        "Error: Find first file failed (*.*)(",
        "Error: Find next file failed (",
        "Error: Find close failed (",
        "Error: Couldn't get current folder from system",
        "Error: Couldn't restore current folder - Check folder exists (",
        "skipped destination folder as a copy source",
        "Unable to access the folder. It's contents was not copied.",
        "- Summary ---",
        "All files copied successfully.  ",
        "Veltra was unable to copy ",
        "The copy is incomplete: some folders could not be read or the copy was stopped.  ",
        "Folder copy in progress.  Do you really want to quit? (Veltra will finish copying the "
        "current file first and then stop if you answer \"yes\")?",
        "Error: printing, device context attach failed",
        "Error: printing, start document error ",
        "Error: printing, start page error ",
        "Error: printing, start page error(2) ",
        "Error: printing, end page error(",
        "Error: printing, end document error (",
        "Error: printing, delete device context failed",
        "Error: printing, font delete failed",
        "Error: showing help file 1.  Try the help link on the Veltra start menu instead. (",
        "Error: showing help file 2.  Try the help link on the Veltra start menu instead. (",
        "Error: showing help file 3.  Try the help link on the Veltra start menu instead. (",
        "Error: showing help file 4.  Try the help link on the Veltra start menu instead. (",
        "Unable to show website automatically. Try " VELTRA_WEBSITE_ADDRESS " in your web browser.",
        "Data Migration Report",
        "Generated by Veltra - " VELTRA_WEBSITE_NAME,
        "Veltra Help",
        VELTRA_MAKER_NAME,
        VELTRA_SUPPORT_ADDRESS,
    };
    for (const char* text : texts)
        EXPECT_NE(page.find(text), std::string::npos) << text;
    EXPECT_EQ(page.find("src=\"http"), std::string::npos) << "self-contained: no outside files";
}
