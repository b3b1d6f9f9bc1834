// The compiled pictures, texts and manifest, and the help page that is
// copied beside the program.
#include "ResourceReader.h"
#include "maker.h"
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace resource_reader;

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
        "Error: Couldn't spawn folder copy thread",
        "Source folder does not exist (",
        "Error: Couldn't select folder - Check source folder exists (",
        "Error: Find first file failed (*.*)(",
        "Error: Find next file failed (",
        "Error: Find close failed (",
        "skipped destination folder as a copy source",
        "The destination already holds a file of this name:",
        "  (not replaced: you chose to keep the existing file)",
        "  (its attributes and date could not be set: ",
        "in use by another program",
        "access denied",
        "the destination disk is full",
        "the source could not be read",
        "the destination could not be written",
        "a name or path Windows cannot hold",
        "its folder could not be made in the destination",
        "  (not followed: a link to the folder ",
        "  (left out: the drive's own system folder)",
        "  (left out: the drive's recycle bin)",
        "  (not copied: another file in the destination has this name as its short name)",
        "Replace File",
        "Do you want to replace the existing file",
        "with the file being copied?",
        "  (not replaced: you stopped the copy here)",
        " files were kept as you chose, totalling ",
        "Status: Stopping - finishing the current file...",
        "Unable to access the folder. It's contents was not copied.",
        "\\  (not copied: its place in the destination is the source folder itself)",
        "\\  (not copied: its place in the destination is a folder being copied)",
        "  (not copied: a folder of the same name is in its place in the destination)",
        "Status: Closing - finishing the current file...",
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
