#include "platform/web/WebKitEngine.h"

#include <unistd.h>

#include <cstdlib>
#include <future>
#include <map>

#include "platform/backend/GtkDisplay.h"
#include "platform/web/WebText.h"

// After our headers: GLib defines TRUE and FALSE as macros.
#include <webkit2/webkit2.h>

struct WebKitView {
    HWND control = nullptr;
    std::shared_ptr<BrowserEventPort> port;
    GtkWidget* widget = nullptr;
    std::map<uint64_t, WebKitPolicyDecision*> decisions;  // referenced until decided
    uint64_t nextNavigation = 1;
};

namespace {

// A page that does not answer a call in this time is taken as not having run it.
constexpr std::chrono::seconds kScriptLimit{5};

std::string NavigationUrl(WebKitPolicyDecision* decision) {
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
        WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    return uri != nullptr ? uri : "";
}

gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                        WebKitPolicyDecisionType type, gpointer data) {
    auto* view = static_cast<WebKitView*>(data);
    if (type == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
        // A control shows one page; requests for new windows are refused.
        webkit_policy_decision_ignore(decision);
        return TRUE;
    }
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION)
        return FALSE;
    const uint64_t id = view->nextNavigation++;
    view->decisions[id] = WEBKIT_POLICY_DECISION(g_object_ref(decision));
    view->port->Report(
        BrowserEvent{BrowserEvent::Kind::BeforeNavigate, id, NavigationUrl(decision)});
    return TRUE;
}

void OnLoadChanged(WebKitWebView* webView, WebKitLoadEvent event, gpointer data) {
    if (event != WEBKIT_LOAD_FINISHED)
        return;
    const char* uri = webkit_web_view_get_uri(webView);
    static_cast<WebKitView*>(data)->port->Report(
        BrowserEvent{BrowserEvent::Kind::DocumentComplete, 0, uri != nullptr ? uri : ""});
}

void OnScriptDone(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<std::shared_ptr<std::promise<bool>>> answer(
        static_cast<std::shared_ptr<std::promise<bool>>*>(data));
    GError* error = nullptr;
    JSCValue* value =
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
    const bool ran = value != nullptr && jsc_value_is_boolean(value) && jsc_value_to_boolean(value);
    if (value != nullptr)
        g_object_unref(value);
    if (error != nullptr)
        g_error_free(error);
    (*answer)->set_value(ran);
}

// The context every view of the process shares. Made on the display thread
// and never released: WebKit's default context would be released by an exit
// handler on the main thread, which WebKit does not allow. Ephemeral: pages
// leave nothing on disk.
WebKitWebContext* SharedContext() {
    static WebKitWebContext* context = [] {
        // WebKit's sandbox refuses to start for root; the program runs as
        // root where it needs raw disk access.
        if (geteuid() == 0)
            setenv("WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS", "1", 0);
        return webkit_web_context_new_ephemeral();
    }();
    return context;
}

void MakeView(GtkDisplay& display, const std::shared_ptr<WebKitView>& view) {
    view->widget = webkit_web_view_new_with_context(SharedContext());
    g_signal_connect(view->widget, "decide-policy", G_CALLBACK(OnDecidePolicy), view.get());
    g_signal_connect(view->widget, "load-changed", G_CALLBACK(OnLoadChanged), view.get());
    display.Embed(view->control, view->widget);
}

void DropView(GtkDisplay& display, WebKitView& view) {
    g_signal_handlers_disconnect_by_data(view.widget, &view);
    for (auto& [id, decision] : view.decisions) {
        webkit_policy_decision_ignore(decision);
        g_object_unref(decision);
    }
    view.decisions.clear();
    display.Unembed(view.control);
    view.widget = nullptr;
}

}  // namespace

WebKitEngine::WebKitEngine(GtkDisplay& display, std::shared_ptr<BrowserEventPort> port)
    : display_(display), view_(std::make_shared<WebKitView>()) {
    view_->control = port->Control();
    view_->port = std::move(port);
    display_.Post([&display, view = view_] { MakeView(display, view); });
}

WebKitEngine::~WebKitEngine() {
    display_.Post([&display = display_, view = view_] { DropView(display, *view); });
}

void WebKitEngine::Navigate(const std::string& uri) {
    navigated_ = true;
    display_.Post([view = view_, uri] {
        if (view->widget != nullptr)
            webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view->widget), uri.c_str());
    });
}

void WebKitEngine::Decide(uint64_t navigation, bool cancel) {
    display_.Post([view = view_, navigation, cancel] {
        auto it = view->decisions.find(navigation);
        if (it == view->decisions.end())
            return;
        if (cancel)
            webkit_policy_decision_ignore(it->second);
        else
            webkit_policy_decision_use(it->second);
        g_object_unref(it->second);
        view->decisions.erase(it);
    });
}

bool WebKitEngine::CallFunction(const std::string& name, const std::vector<std::string>& args) {
    auto answer = std::make_shared<std::promise<bool>>();
    std::future<bool> ran = answer->get_future();
    display_.Post([view = view_, script = web::FunctionCallScript(name, args), answer] {
        if (view->widget == nullptr) {
            answer->set_value(false);
            return;
        }
        webkit_web_view_evaluate_javascript(WEBKIT_WEB_VIEW(view->widget), script.c_str(), -1,
                                            nullptr, nullptr, nullptr, OnScriptDone,
                                            new std::shared_ptr<std::promise<bool>>(answer));
    });
    return ran.wait_for(kScriptLimit) == std::future_status::ready && ran.get();
}
