// The browser engine on the GTK display: a WebKit view made and used only on
// the display thread, embedded at its control's place in the control's
// top-level window. Navigation requests are held as pending policy decisions
// until the control's thread answers them; script calls wait for the page's
// answer (bounded), never the other way round, so the display thread never
// waits for the control's thread. The display must outlive the control.
#pragma once

#include "platform/web/BrowserEngine.h"

class GtkDisplay;
struct WebKitView;

class WebKitEngine final : public BrowserEngine {
public:
    WebKitEngine(GtkDisplay& display, std::shared_ptr<BrowserEventPort> port);
    ~WebKitEngine() override;
    WebKitEngine(const WebKitEngine&) = delete;
    WebKitEngine& operator=(const WebKitEngine&) = delete;

    void Navigate(const std::string& uri) override;
    void Decide(uint64_t navigation, bool cancel) override;
    bool HasDocument() const override { return navigated_; }
    bool CallFunction(const std::string& name, const std::vector<std::string>& args) override;

private:
    GtkDisplay& display_;
    std::shared_ptr<WebKitView> view_;  // used on the display thread only
    bool navigated_ = false;
};
