// Poses Veltra for the README's screenshots, each step written as a marker
// file once it is on the screen and held until its "done" file exists:
// - a finished copy: VELTRA_SHOT_SOURCE into VELTRA_SHOT_DEST, then
//   VELTRA_SHOT_READY, held until VELTRA_SHOT_DONE;
// - the About box, when asked for: VELTRA_SHOT_ABOUT, held until
//   VELTRA_SHOT_ABOUT_DONE;
// - the replace question, when asked for: with "Ask me before overwriting"
//   checked, VELTRA_SHOT_ASK_SOURCE is copied onto VELTRA_SHOT_ASK_DEST,
//   which holds some of its files; once the question (caption
//   VELTRA_SHOT_ASK_CAPTION) is open, VELTRA_SHOT_ASK; held until
//   VELTRA_SHOT_ASK_DONE; then its Stop Copy is pressed and, once the
//   stopped copy has its summary, VELTRA_SHOT_STOPPED, held until
//   VELTRA_SHOT_STOPPED_DONE.
#include "TempFolder.h"
#include "UiDriver.h"
#include "resource.h"

#include <cstdlib>

namespace {
const char* Env(const char* name) { return std::getenv(name); }

// Writes `ready` and waits for `done`.
void Hold(const char* ready, const char* done) {
    WriteFileBytes(ready, "ready");
    WaitUntil([&] { return FileExists(done); }, 30000);
}
} // namespace

int main() {
    const char* source = Env("VELTRA_SHOT_SOURCE");
    const char* destination = Env("VELTRA_SHOT_DEST");
    const char* ready = Env("VELTRA_SHOT_READY");
    const char* done = Env("VELTRA_SHOT_DONE");
    if (!source || !destination || !ready || !done)
        return 2;
    VeltraProcess app;
    StartCopy(app, source, destination);
    WaitForCopyComplete(app, 60000);
    Hold(ready, done);
    const char* about = Env("VELTRA_SHOT_ABOUT");
    const char* aboutDone = Env("VELTRA_SHOT_ABOUT_DONE");
    if (about && aboutDone) {
        Press(app.dialog(), IDC_ABOUT);
        HWND box = app.WaitForWindow("About Veltra", 20000);
        if (box)
            Hold(about, aboutDone);
        Press(box, IDOK);
        app.WaitForWindowGone(box);
    }
    const char* askSource = Env("VELTRA_SHOT_ASK_SOURCE");
    const char* askDest = Env("VELTRA_SHOT_ASK_DEST");
    const char* caption = Env("VELTRA_SHOT_ASK_CAPTION");
    const char* asked = Env("VELTRA_SHOT_ASK");
    const char* askedDone = Env("VELTRA_SHOT_ASK_DONE");
    const char* stopped = Env("VELTRA_SHOT_STOPPED");
    const char* stoppedDone = Env("VELTRA_SHOT_STOPPED_DONE");
    if (askSource && askDest && caption && asked && askedDone && stopped && stoppedDone) {
        SetChecked(app.item(IDC_ASK_BEFORE_OVERWRITE), true);
        StartCopy(app, askSource, askDest);
        HWND question = app.WaitForWindow(caption, 60000);
        if (!question)
            return 3;
        Hold(asked, askedDone);
        Press(question, IDCANCEL);
        if (!WaitForCopyComplete(app, 60000))
            return 4;
        Hold(stopped, stoppedDone);
    }
    return 0;
}
