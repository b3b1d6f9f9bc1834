// Poses Veltra for the README's screenshot of a finished copy: copies
// VELTRA_SHOT_SOURCE into VELTRA_SHOT_DEST through the dialog, then writes
// VELTRA_SHOT_READY and keeps Veltra open until VELTRA_SHOT_DONE exists.
#include "TempFolder.h"
#include "UiDriver.h"
#include "resource.h"

#include <cstdlib>

int main() {
    const char* source = std::getenv("VELTRA_SHOT_SOURCE");
    const char* destination = std::getenv("VELTRA_SHOT_DEST");
    const char* ready = std::getenv("VELTRA_SHOT_READY");
    const char* done = std::getenv("VELTRA_SHOT_DONE");
    if (!source || !destination || !ready || !done)
        return 2;
    VeltraProcess app;
    StartCopy(app, source, destination);
    WaitForCopyComplete(app, 60000);
    WriteFileBytes(ready, "ready");
    WaitUntil([&] { return FileExists(done); }, 30000);
    return 0;
}
