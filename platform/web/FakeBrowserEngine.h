// The scripted browser engine for runs without a display: no page is loaded;
// it records what the control asks (navigations, function calls, decisions)
// and lets a test play the page's part: start a navigation as a page would,
// complete a document, and say which functions the page has.
//
// The control's thread calls the engine as any engine; a test may use the
// scripting side from any thread. Reports go through the control's event port,
// so the control's thread delivers them when it next handles its messages.
#pragma once

#include <set>

#include "platform/web/BrowserEngine.h"

class FakeBrowserEngine final : public BrowserEngine {
public:
    struct Call {
        std::string name;
        std::vector<std::string> args;
    };
    struct Decision {
        std::string url;
        bool cancelled;
    };

    explicit FakeBrowserEngine(std::shared_ptr<BrowserEventPort> port);

    // The engine of a browser control made while the fake is in use; null
    // for any other window.
    static FakeBrowserEngine* Of(HWND control);

    void Navigate(const std::string& uri) override;
    void Decide(uint64_t navigation, bool cancel) override;
    bool HasDocument() const override;
    bool CallFunction(const std::string& name, const std::vector<std::string>& args) override;

    // The page's part.
    void SetPageFunctions(std::set<std::string> names);
    // A navigation the page starts itself (a link, a script assigning location).
    void StartNavigation(const std::string& url);
    void CompleteDocument(const std::string& url);

    // What happened, in order.
    std::vector<std::string> Navigations() const;
    std::vector<Call> Calls() const;
    std::vector<Decision> Decisions() const;
    // Navigations reported and not yet decided.
    size_t Pending() const;

private:
    std::shared_ptr<BrowserEventPort> port_;
    mutable std::mutex mutex_;  // guards everything below
    std::set<std::string> functions_;
    std::vector<std::string> navigations_;
    std::vector<Call> calls_;
    std::vector<Decision> decisions_;
    std::vector<std::pair<uint64_t, std::string>> pending_;
    uint64_t nextNavigation_ = 1;
    bool hasDocument_ = false;
};
