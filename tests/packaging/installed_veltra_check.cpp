// Run by installer_test.sh between the silent install and the uninstall:
// checks where both Start-menu shortcuts point, starts the installed Veltra
// as its shortcut does, presses Help, and checks that the shell was asked to
// open the help page in the installation folder. Exit code 0 when all is well.
//   installed_veltra_check.exe "C:\Program Files\Veltra\"

#include "UiDriver.h"
#include "UrlRecorder.h"
#include "resource.h"

#include <windows.h>

#include <objbase.h>
#include <shobjidl.h>
#include <shlobj.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {
std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

// The file a shortcut points at, through the shell's own link object.
std::string ShortcutTarget(const std::string& shortcut) {
    std::string target;
    IShellLinkA* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring wide(shortcut.begin(), shortcut.end());
        char path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)))
            target = path;
        file->Release();
    }
    link->Release();
    return target;
}

int Fail(const char* what) {
    std::printf("installed_veltra_check: %s\n", what);
    return 1;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Fail("usage: installed_veltra_check <installation folder>");
    const std::string folder = argv[1];

    char programs[MAX_PATH] = {};
    if (::SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs) != S_OK)
        return Fail("no common Start-menu folder");
    const std::string shortcut = std::string(programs) + "\\Veltra\\Veltra.lnk";

    ::CoInitialize(nullptr);
    UrlRecorder recorder;

    // Started as the shell starts a shortcut's target: its quoted path as the
    // command line; the help launcher finds the folder from the program file.
    const std::string program = ShortcutTarget(shortcut);
    if (Lower(program) != Lower(folder + "Veltra.exe"))
        return Fail(("the Veltra shortcut points at " + program).c_str());
    const std::string helpTarget =
        ShortcutTarget(std::string(programs) + "\\Veltra\\Veltra Help.lnk");
    if (Lower(helpTarget) != Lower(folder + "help.html"))
        return Fail(("the Veltra Help shortcut points at " + helpTarget).c_str());
    std::vector<std::string> opened;
    bool ended = false;
    try {
        VeltraProcess app({recorder.Environment()}, program, folder);
        Press(app.dialog(), IDC_HELP_BUTTON);
        opened = recorder.Wait(1);
        // The close box ends the dialog at once.
        PostMessageA(app.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
        ended = app.WaitForExit();
    } catch (const std::exception& e) {
        return Fail(e.what());
    }

    if (opened.empty())
        return Fail("Help asked the shell to open nothing");
    // The shell hands the viewer either the file:// address or the path.
    const std::string wanted = Lower(folder + "help.html").substr(2); // without the drive
    if (Lower(opened[0]).find(wanted) == std::string::npos) {
        std::printf("installed_veltra_check: Help opened %s\n", opened[0].c_str());
        return Fail("Help did not open the installed help page");
    }
    if (!ended)
        return Fail("the installed Veltra did not end");
    std::printf("installed_veltra_check: Help opened %s\n", opened[0].c_str());
    return 0;
}
