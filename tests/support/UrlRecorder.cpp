#include "UrlRecorder.h"

#include "UnixBridge.h"
#include "Wait.h"

#include <windows.h>

#include <sstream>

#ifndef URL_RECORDER_UNIX_PATH
#error "URL_RECORDER_UNIX_PATH must name url_recorder.exe"
#endif

namespace {

// Sets a value (the key's default when `name` is null) under HKEY_CLASSES_ROOT.
void SetValue(const std::string& key, const char* name, const std::string& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(h);
    }
}

} // namespace

UrlRecorder::UrlRecorder() : m_log(m_folder.path() + "opened.txt") {
    std::string command = "\"" + WindowsPathOf(URL_RECORDER_UNIX_PATH) + "\" \"%1\"";
    SetValue(".html", nullptr, "VeltraTest.html");
    SetValue(".htm", nullptr, "VeltraTest.html");
    SetValue("VeltraTest.html\\shell\\open\\command", nullptr, command);
    for (std::string scheme : {"file", "http", "https"}) {
        SetValue(scheme, "URL Protocol", "");
        SetValue(scheme + "\\shell\\open\\command", nullptr, command);
    }
}

std::vector<std::string> UrlRecorder::Wait(size_t count, unsigned ms) const {
    std::vector<std::string> lines;
    WaitUntil(
        [&] {
            lines.clear();
            std::string text;
            ReadFileBytes(m_log, text);
            std::istringstream in(text);
            for (std::string line; std::getline(in, line);)
                if (!line.empty())
                    lines.push_back(line);
            return lines.size() >= count;
        },
        ms);
    return lines;
}
