// The program's entry: picks the display, then runs the application object's
// start-up, which runs the main window modally and returns when it closes.
#include <cstdio>
#include <memory>

#include "app/shell/HalbrookApp.h"
#include "platform/backend/DisplayChoice.h"

int main() {
    const std::unique_ptr<DisplayBackend> display = ChooseDisplayBackend();
    theApp.InitInstance();
    if (theApp.MainWindowMissing()) {
        std::fputs(
            "marlowin: start-up finished; this build has no main window yet, so the "
            "program ends here.\n",
            stdout);
    }
    return 0;
}
