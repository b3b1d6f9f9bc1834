// Poses Veltra for the README's screenshot of a finished copy: copies
// VELTRA_SHOT_SOURCE into VELTRA_SHOT_DEST through the dialog, then writes
// VELTRA_SHOT_READY and keeps Veltra open until VELTRA_SHOT_DONE exists;
// then, if asked, opens the About box for its picture. With
// VELTRA_SHOT_IN_PROGRESS set, it writes VELTRA_SHOT_READY while the copy
// runs, once the caption shows the share and the statistics line the time
// left, and lets the copy go on until VELTRA_SHOT_DONE exists.
#include "TempFolder.h"
#include "UiDriver.h"
#include "resource.h"

#include <cstdlib>
#include <string>

int main() {
    const char* source = std::getenv("VELTRA_SHOT_SOURCE");
    const char* destination = std::getenv("VELTRA_SHOT_DEST");
    const char* ready = std::getenv("VELTRA_SHOT_READY");
    const char* done = std::getenv("VELTRA_SHOT_DONE");
    if (!source || !destination || !ready || !done)
        return 2;
    VeltraProcess app;
    StartCopy(app, source, destination);
    if (std::getenv("VELTRA_SHOT_IN_PROGRESS")) {
        bool posed = WaitUntil(
            [&] {
                return TextOf(app.dialog()).find("% - ") != std::string::npos &&
                       TextOf(app.item(IDC_STATISTICS_TEXT)).find(" left") != std::string::npos;
            },
            60000, 50);
        if (!posed)
            return 1;
        WriteFileBytes(ready, "ready");
        WaitUntil([&] { return FileExists(done); }, 30000);
        return WaitForCopyComplete(app, 300000) ? 0 : 1;
    }
    WaitForCopyComplete(app, 60000);
    WriteFileBytes(ready, "ready");
    WaitUntil([&] { return FileExists(done); }, 30000);
    // Then the About box, when asked for: VELTRA_SHOT_ABOUT is written once
    // it is open, and it stays open until VELTRA_SHOT_ABOUT_DONE exists.
    const char* about = std::getenv("VELTRA_SHOT_ABOUT");
    const char* aboutDone = std::getenv("VELTRA_SHOT_ABOUT_DONE");
    if (about && aboutDone) {
        Press(app.dialog(), IDC_ABOUT);
        if (app.WaitForWindow("About Veltra", 20000))
            WriteFileBytes(about, "ready");
        WaitUntil([&] { return FileExists(aboutDone); }, 30000);
    }
    return 0;
}
