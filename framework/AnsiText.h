#pragma once
// Text in the process's ANSI code page and its UTF-16 form. The program's
// manifest makes that code page UTF-8 (Windows 10 1903 and later); older
// systems keep their legacy code page, single- or double-byte. Each function
// takes the code page as a parameter so that a test can name one; CP_ACP is
// the process's own.

#include <windows.h>

#include <string>

// WideCharToMultiByte's signature: a test passes a stand-in that enforces
// what Windows documents for each code page.
using WideToMultiByteFn = int(WINAPI*)(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL);

// The UTF-16 form of `text`.
std::wstring WideFromAnsi(const std::string& text, UINT codePage = CP_ACP);

// `text` for showing: a character the code page lacks becomes the code
// page's own stand-in (a look-alike or '?').
std::string AnsiFromWide(const std::wstring& text, UINT codePage = CP_ACP);

// A file name or path exactly as the code page writes it, or with '?' for
// each character it cannot write exactly. A look-alike would name another
// file; '?' is a character no Windows name holds, so the caller can tell.
// In UTF-8 only an unpaired surrogate, which UTF-8 cannot carry, becomes '?'.
std::string AnsiNameFromWide(const std::wstring& name, UINT codePage = CP_ACP,
                             WideToMultiByteFn convert = ::WideCharToMultiByte);

// UTF-8 text (as the program's own texts are kept in its sources) in the
// code page, for showing.
std::string AnsiFromUtf8(const std::string& utf8, UINT codePage = CP_ACP);

// The number of bytes of the character that starts at `at` (< text.size())
// in `text`: at least 1 and never past the end, so that a text is cut
// between characters.
size_t CharLengthAt(const std::string& text, size_t at, UINT codePage = CP_ACP);

// How many UTF-16 units `text` takes: the length Windows limits.
size_t WideLength(const std::string& text, UINT codePage = CP_ACP);
