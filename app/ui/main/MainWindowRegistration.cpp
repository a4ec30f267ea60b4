#include "app/ui/main/MainWindowRegistration.h"

#include <memory>

#include "app/res/MarlowinResources.h"
#include "app/shell/HalbrookApp.h"
#include "app/ui/main/HalbrookDlg.h"
#include "platform/web/WebBrowser.h"

void RegisterMainWindow() {
    RegisterMarlowinResources();
    // The main window's template holds the map browser.
    RegisterWebBrowserClass();
    theApp.SetMainWindowFactory([] { return std::make_unique<CHalbrookDlg>(); });
}
