// The web-site launcher under Wine: an address with a registered handler is
// handed to it; one without a handler gets the program's message box, which
// names the address, and the caller carries on after OK.

#include "DialogWatcher.h"
#include "MessageBox.h"
#include "ShellOpen.h"
#include "TempFolder.h"
#include "UiDriver.h"
#include "Website.h"

#include <gtest/gtest.h>

namespace {
// A URL scheme of the test's own, registered while the test runs, whose
// handler writes the address it was given into `marker`.
class ProbeScheme {
public:
    ProbeScheme(const std::string& scheme, const std::string& marker) : m_key(scheme) {
        HKEY key = nullptr;
        ::RegCreateKeyExA(HKEY_CLASSES_ROOT, (m_key + "\\shell\\open\\command").c_str(), 0, nullptr,
                          0, KEY_WRITE, nullptr, &key, nullptr);
        const std::string command = "C:\\windows\\system32\\cmd.exe /c echo %1> \"" + marker + "\"";
        ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                         static_cast<DWORD>(command.size() + 1));
        ::RegCloseKey(key);
        ::RegCreateKeyExA(HKEY_CLASSES_ROOT, m_key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr);
        ::RegSetValueExA(key, "URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        ::RegCloseKey(key);
    }
    ~ProbeScheme() { ::RegDeleteTreeA(HKEY_CLASSES_ROOT, m_key.c_str()); }

private:
    std::string m_key;
};
} // namespace

TEST(Website, AddressWithAHandlerIsHandedToIt) {
    TempFolder folder;
    const std::string marker = folder.path() + "opened.txt";
    ProbeScheme scheme("veltra-probe", marker);
    const std::string address = "veltra-probe://kestrellane.example/veltra/";
    ASSERT_TRUE(ShellOpenAddress(address));
    std::string opened;
    WaitUntil([&] { return ReadFileBytes(marker, opened); });
    EXPECT_NE(opened.find(address), std::string::npos) << opened;
}

TEST(Website, AddressWithoutAHandlerGetsTheMessageBoxNamingIt) {
    const std::string address = "veltra-nohandler://kestrellane.example/veltra/";
    std::string caption, texts;
    bool returned = false;
    RunWithHelper(
        [&] {
            OpenWebsite(address);
            returned = true;
        },
        [&](DWORD thread) {
            HWND box = WaitForThreadDialog(thread, AfxGetAppTitle());
            if (!box)
                return;
            caption = TextOf(box);
            texts = ChildTexts(box);
            Press(box, IDOK);
        });
    EXPECT_TRUE(returned);
    EXPECT_EQ(caption, AfxGetAppTitle());
    EXPECT_NE(texts.find("Unable to show website automatically. Try " + address +
                         " in your web browser."),
              std::string::npos)
        << texts;
}
