#pragma once
// Reads Veltra's compiled resources back from the running test program:
// raw resource bytes and dialog templates (DLGTEMPLATEEX) item by item.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace resource_reader {

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

inline const BYTE* LoadResourceBytes(LPCSTR name, LPCSTR type, DWORD* size = nullptr) {
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

inline Template ReadTemplate(int id) {
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

// One of the program's own texts (kept in UTF-8, as maker.h is) in UTF-16,
// as the resource compiler stores it.
inline std::wstring Wide(std::string_view utf8) {
    wchar_t buffer[256] = {};
    int n =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), buffer, 255);
    return std::wstring(buffer, n);
}

inline std::vector<int> Ids(const Template& t) {
    std::vector<int> ids;
    for (const Item& i : t.items)
        ids.push_back(i.id);
    return ids;
}

inline void ExpectRect(const Item& i, short x, short y, short cx, short cy) {
    EXPECT_EQ(i.x, x) << "control " << i.id;
    EXPECT_EQ(i.y, y) << "control " << i.id;
    EXPECT_EQ(i.cx, cx) << "control " << i.id;
    EXPECT_EQ(i.cy, cy) << "control " << i.id;
}

constexpr WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82;

// A class is an ordinal of the predefined ones, or a name ("Static").
inline bool IsStatic(const Item& i) {
    return i.classOrdinal == kStatic || _wcsicmp(i.className.c_str(), L"Static") == 0;
}

} // namespace resource_reader
