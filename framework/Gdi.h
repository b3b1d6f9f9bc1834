#pragma once
// Owners of GDI objects and device contexts. Each owner releases what it
// holds; copy is deleted, move allowed. Borrowed handles stay plain handles.

#include "Handle.h"

#include <windows.h>

struct GdiObjectTraits {
    using handle_type = HGDIOBJ;
    static HGDIOBJ invalid() { return nullptr; }
    static BOOL close(HGDIOBJ h) { return DeleteObject(h); }
};

// An owned pen, brush, font or bitmap.
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(HGDIOBJ h) : m_object(h) {}
    HGDIOBJ GetSafeHandle() const { return m_object.get(); }
    explicit operator bool() const { return static_cast<bool>(m_object); }
    BOOL Attach(HGDIOBJ h) {
        m_object.reset(h);
        return h != nullptr;
    }
    // Deletes the object now; the result of DeleteObject (TRUE when empty).
    BOOL DeleteObject() { return m_object.reset(); }

private:
    UniqueHandle<GdiObjectTraits> m_object;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) : CGdiObject(CreatePen(style, width, color)) {}
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) : CGdiObject(CreateSolidBrush(color)) {}
};

class CFont : public CGdiObject {
public:
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight,
                    BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* face) {
        return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic,
                                  underline, strikeOut, charSet, outPrecision, clipPrecision,
                                  quality, pitchAndFamily, face));
    }
};

class CBitmap : public CGdiObject {
public:
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height) {
        return Attach(::CreateCompatibleBitmap(dc, width, height));
    }
};

struct DcTraits {
    using handle_type = HDC;
    static HDC invalid() { return nullptr; }
    static BOOL close(HDC h) { return DeleteDC(h); }
};

// An owned device context (memory or printer DC), released with DeleteDC.
class CDC {
public:
    CDC() = default;
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC.get(); }
    operator HDC() const { return m_hDC.get(); }

    BOOL Attach(HDC dc) {
        if (!dc || m_hDC)
            return FALSE;
        m_hDC.reset(dc);
        return TRUE;
    }
    HDC Detach() { return m_hDC.release(); }
    BOOL CreateCompatibleDC(HDC other) { return Attach(::CreateCompatibleDC(other)); }
    // Deletes the context now (and forgets it); the result of DeleteDC.
    BOOL DeleteDC() { return m_hDC ? m_hDC.reset() : FALSE; }

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC.get(), object); }
    HGDIOBJ SelectObject(const CGdiObject& object) { return SelectObject(object.GetSafeHandle()); }

private:
    UniqueHandle<DcTraits> m_hDC;
};

// Saves a device context's state (selected objects, colours) for one scope.
class CDCState {
public:
    explicit CDCState(HDC dc) : m_dc(dc), m_saved(SaveDC(dc)) {}
    ~CDCState() {
        if (m_saved)
            RestoreDC(m_dc, m_saved);
    }
    CDCState(const CDCState&) = delete;
    CDCState& operator=(const CDCState&) = delete;

private:
    HDC m_dc;
    int m_saved;
};

// BeginPaint .. EndPaint for one WM_PAINT.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hwnd(hwnd) { m_hDC = BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() { EndPaint(m_hwnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    PAINTSTRUCT m_ps{};

private:
    HWND m_hwnd;
    HDC m_hDC = nullptr;
};
