// The owners of kernel, find and GDI handles: each releases what it holds
// exactly once, when it goes, is reset or is given another; one that gave its
// handle away (moved or released) closes nothing.

#include "Gdi.h"
#include "Handle.h"
#include "ProcessGauge.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
bool IsOpen(HANDLE h) {
    DWORD flags = 0;
    return GetHandleInformation(h, &flags) != FALSE;
}
HANDLE NewEvent() {
    return CreateEventA(nullptr, TRUE, FALSE, nullptr);
}
DWORD OwnHandleCount() {
    return GaugeProcess(GetCurrentProcessId()).handles;
}
} // namespace

// Each new handle is made while the others are still open, so that a closed
// one's value cannot come back as a later one's.
TEST(HandleOwners, KernelHandleIsClosedOnlyByItsLastOwner) {
    HANDLE a = NewEvent(), b = NewEvent(), c = NewEvent(), d = NewEvent();
    {
        OwnedHandle holder(b);
        {
            OwnedHandle first(a);
            OwnedHandle second(std::move(first));
            EXPECT_FALSE(first);
            holder = std::move(second); // closes b, takes a
        }
        EXPECT_TRUE(IsOpen(a)); // neither moved-from owner closed it
        EXPECT_FALSE(IsOpen(b));
        EXPECT_EQ(holder.get(), a);
    }
    EXPECT_FALSE(IsOpen(a));
    {
        OwnedHandle owner(c);
        EXPECT_TRUE(owner.reset(d));
        EXPECT_FALSE(IsOpen(c));
        EXPECT_EQ(owner.release(), d);
    }
    EXPECT_TRUE(IsOpen(d));
    CloseHandle(d);
}

// A search keeps its folder open until FindClose (it lists "." then ".."
// there); the process's handle count shows whether that happened.
TEST(HandleOwners, FindHandleIsClosedOnceWhenItsLastOwnerGoes) {
    TempFolder folder;
    const DWORD before = OwnHandleCount();
    ASSERT_GT(before, 0u);
    {
        FindHandle kept;
        {
            WIN32_FIND_DATAA found{};
            FindHandle search(FindFirstFileA((folder.path() + "*").c_str(), &found));
            ASSERT_TRUE(search);
            EXPECT_GT(OwnHandleCount(), before);
            kept = std::move(search);
        }
        WIN32_FIND_DATAA next{};
        EXPECT_TRUE(FindNextFileA(kept.get(), &next)); // the moved-from owner closed nothing
    }
    EXPECT_EQ(OwnHandleCount(), before);
}

TEST(GdiOwners, EveryKindOfObjectAndContextIsDeletedWithItsOwner) {
    std::vector<std::pair<HGDIOBJ, DWORD>> made;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
        CBrush brush(RGB(4, 5, 6));
        CFont font;
        ASSERT_TRUE(font.CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(dc, 8, 8));
        made = {{pen.GetSafeHandle(), OBJ_PEN},
                {brush.GetSafeHandle(), OBJ_BRUSH},
                {font.GetSafeHandle(), OBJ_FONT},
                {bitmap.GetSafeHandle(), OBJ_BITMAP},
                {dc.GetSafeHdc(), OBJ_MEMDC}};
        for (auto [object, type] : made)
            EXPECT_EQ(GetObjectType(object), type);
    }
    for (auto [object, type] : made)
        EXPECT_EQ(GetObjectType(object), 0u) << "object of type " << type;
}

TEST(GdiOwners, MoveAttachDeleteAndDetachReleaseExactlyTheOldObject) {
    CBrush kept;
    HGDIOBJ first;
    {
        CBrush made(RGB(7, 8, 9));
        first = made.GetSafeHandle();
        kept = std::move(made);
    }
    EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH)); // moved-from deleted nothing
    HGDIOBJ second = CreateSolidBrush(RGB(10, 11, 12));
    EXPECT_TRUE(kept.Attach(second));
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_TRUE(kept.DeleteObject());
    EXPECT_EQ(GetObjectType(second), 0u);
    EXPECT_FALSE(kept);

    HDC one = CreateCompatibleDC(nullptr), two = CreateCompatibleDC(nullptr);
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(one));
        EXPECT_FALSE(dc.Attach(two)); // refused: keeps its own, leaves `two` to the caller
        EXPECT_EQ(dc.GetSafeHdc(), one);
        EXPECT_TRUE(dc.DeleteDC());
        EXPECT_EQ(GetObjectType(one), 0u);
        EXPECT_EQ(GetObjectType(two), static_cast<DWORD>(OBJ_MEMDC));
        ASSERT_TRUE(dc.Attach(two));
        EXPECT_EQ(dc.Detach(), two);
    }
    EXPECT_EQ(GetObjectType(two), static_cast<DWORD>(OBJ_MEMDC));
    DeleteDC(two);
}
