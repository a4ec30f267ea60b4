#include <atomic>

#include "platform/backend/GtkDisplay.h"
#include "platform/web/BrowserEngine.h"
#include "platform/web/FakeBrowserEngine.h"
#include "platform/web/WebKitEngine.h"

namespace {

std::atomic<BrowserEngineFactory> g_factory{nullptr};

}  // namespace

void SetBrowserEngineFactory(BrowserEngineFactory factory) {
    g_factory.store(factory);
}

std::unique_ptr<BrowserEngine> MakeBrowserEngine(std::shared_ptr<BrowserEventPort> port) {
    if (BrowserEngineFactory factory = g_factory.load())
        return factory(std::move(port));
    if (GtkDisplay* display = GtkDisplay::Current())
        return std::make_unique<WebKitEngine>(*display, std::move(port));
    return std::make_unique<FakeBrowserEngine>(std::move(port));
}
