// The program's entry: picks the display, registers the main window, then
// runs the application object's start-up, which runs the main window modally
// and returns when it closes. The environment may ask for a scripted run
// (ScriptedRun.h).
#include <memory>

#include "app/ScriptedRun.h"
#include "app/shell/HalbrookApp.h"
#include "app/ui/main/MainWindowRegistration.h"
#include "platform/backend/DisplayChoice.h"

int main() {
    const std::unique_ptr<DisplayBackend> display = ChooseDisplayBackend();
    RegisterMainWindow();
    const std::unique_ptr<CScriptedRun> scripted = CScriptedRun::FromEnvironment();
    theApp.InitInstance();
    if (scripted)
        scripted->Join();
    return 0;
}
