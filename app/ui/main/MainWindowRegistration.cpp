#include "app/ui/main/MainWindowRegistration.h"

#include <memory>

#include "app/res/MarlowinResources.h"
#include "app/shell/HalbrookApp.h"
#include "app/ui/main/HalbrookDlg.h"

void RegisterMainWindow() {
    RegisterMarlowinResources();
    theApp.SetMainWindowFactory([] { return std::make_unique<CHalbrookDlg>(); });
}
