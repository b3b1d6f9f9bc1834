#include "AnsiText.h"

namespace {

UINT Resolve(UINT codePage) {
    return codePage == CP_ACP ? ::GetACP() : codePage;
}

std::string Narrow(const std::wstring& text, UINT codePage, DWORD flags, const char* fallback,
                   WideToMultiByteFn convert) {
    if (text.empty())
        return "";
    const int length = static_cast<int>(text.size());
    int size = convert(codePage, flags, text.data(), length, nullptr, 0, fallback, nullptr);
    if (size <= 0)
        return "";
    std::string out(static_cast<size_t>(size), '\0');
    size = convert(codePage, flags, text.data(), length, out.data(), size, fallback, nullptr);
    out.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return out;
}

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// `text` with every unpaired surrogate replaced by '?'.
std::wstring WithoutLoneSurrogates(std::wstring text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            ++i;
        else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))
            text[i] = L'?';
    }
    return text;
}

} // namespace

std::wstring WideFromAnsi(const std::string& text, UINT codePage) {
    if (text.empty())
        return L"";
    const int length = static_cast<int>(text.size());
    int size = ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (size <= 0)
        return L"";
    std::wstring out(static_cast<size_t>(size), L'\0');
    size = ::MultiByteToWideChar(codePage, 0, text.data(), length, out.data(), size);
    out.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return out;
}

std::string AnsiFromWide(const std::wstring& text, UINT codePage) {
    // No flags and no default character: the only form every code page,
    // UTF-8 included, accepts.
    return Narrow(text, codePage, 0, nullptr, ::WideCharToMultiByte);
}

std::string AnsiNameFromWide(const std::wstring& name, UINT codePage, WideToMultiByteFn convert) {
    codePage = Resolve(codePage);
    if (codePage == CP_UTF8) {
        // Windows refuses WC_NO_BEST_FIT_CHARS and a default character for
        // UTF-8 (every name would fail); it writes every character but an
        // unpaired surrogate, which WC_ERR_INVALID_CHARS turns into a failure.
        std::string utf8 = Narrow(name, CP_UTF8, WC_ERR_INVALID_CHARS, nullptr, convert);
        if (!utf8.empty() || name.empty())
            return utf8;
        return Narrow(WithoutLoneSurrogates(name), CP_UTF8, WC_ERR_INVALID_CHARS, nullptr, convert);
    }
    return Narrow(name, codePage, WC_NO_BEST_FIT_CHARS, "?", convert);
}

std::string AnsiFromUtf8(const std::string& utf8, UINT codePage) {
    if (Resolve(codePage) == CP_UTF8)
        return utf8;
    return AnsiFromWide(WideFromAnsi(utf8, CP_UTF8), codePage);
}

size_t CharLengthAt(const std::string& text, size_t at, UINT codePage) {
    const size_t left = text.size() - at;
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = 1;
    codePage = Resolve(codePage);
    if (codePage == CP_UTF8) {
        // A lead byte's high bits give the length; what follows must be
        // continuation bytes (10xxxxxx), or the character ends early.
        size_t expected = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        while (length < expected && length < left &&
               (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
            ++length;
    } else if (::IsDBCSLeadByteEx(codePage, lead) && left >= 2) {
        length = 2;
    }
    return length;
}

size_t WideLength(const std::string& text, UINT codePage) {
    if (text.empty())
        return 0;
    return static_cast<size_t>(
        ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0));
}
