// What shows and runs the page of one browser control: WebKit on the GTK
// display, or the scripted fake for headless runs. The control (WebBrowser)
// owns its engine and talks to it on the control's owning thread; the engine
// reports what the page does through the control's event port, from any
// thread, and the control turns the reports into notifications on its own
// thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/web/BrowserEventPort.h"

class BrowserEngine {
public:
    virtual ~BrowserEngine() = default;

    // All on the control's owning thread.
    // Starts loading `uri`; the engine first reports BeforeNavigate for it.
    virtual void Navigate(const std::string& uri) = 0;
    // The answer to a BeforeNavigate report: cancel or let it proceed.
    virtual void Decide(uint64_t navigation, bool cancel) = 0;
    // A document exists (a navigation has been started).
    virtual bool HasDocument() const = 0;
    // Calls the page's function `name` with string arguments; true when the
    // page has such a function and it ran. Waits for the page, bounded.
    virtual bool CallFunction(const std::string& name, const std::vector<std::string>& args) = 0;
};

// Makes the engine of a new control; the port is the control's. Installed by
// whoever decides what kind of browser a program gets; without one the
// control picks WebKit on the GTK display and the fake otherwise.
using BrowserEngineFactory =
    std::unique_ptr<BrowserEngine> (*)(std::shared_ptr<BrowserEventPort> port);
void SetBrowserEngineFactory(BrowserEngineFactory factory);
std::unique_ptr<BrowserEngine> MakeBrowserEngine(std::shared_ptr<BrowserEventPort> port);
