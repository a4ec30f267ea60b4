#include "platform/web/FakeBrowserEngine.h"

#include <algorithm>

#include "platform/web/WebBrowser.h"

FakeBrowserEngine::FakeBrowserEngine(std::shared_ptr<BrowserEventPort> port)
    : port_(std::move(port)) {}

FakeBrowserEngine* FakeBrowserEngine::Of(HWND control) {
    WebBrowser* browser = WebBrowser::FromWindow(control);
    return browser != nullptr ? dynamic_cast<FakeBrowserEngine*>(&browser->Engine()) : nullptr;
}

void FakeBrowserEngine::Navigate(const std::string& uri) {
    {
        std::lock_guard lock(mutex_);
        navigations_.push_back(uri);
        hasDocument_ = true;
    }
    StartNavigation(uri);
}

void FakeBrowserEngine::Decide(uint64_t navigation, bool cancel) {
    std::lock_guard lock(mutex_);
    auto it = std::find_if(pending_.begin(), pending_.end(),
                           [navigation](const auto& p) { return p.first == navigation; });
    if (it == pending_.end())
        return;
    decisions_.push_back(Decision{it->second, cancel});
    pending_.erase(it);
}

bool FakeBrowserEngine::HasDocument() const {
    std::lock_guard lock(mutex_);
    return hasDocument_;
}

bool FakeBrowserEngine::CallFunction(const std::string& name,
                                     const std::vector<std::string>& args) {
    std::lock_guard lock(mutex_);
    calls_.push_back(Call{name, args});
    return functions_.count(name) != 0;
}

void FakeBrowserEngine::SetPageFunctions(std::set<std::string> names) {
    std::lock_guard lock(mutex_);
    functions_ = std::move(names);
}

void FakeBrowserEngine::StartNavigation(const std::string& url) {
    uint64_t id = 0;
    {
        std::lock_guard lock(mutex_);
        id = nextNavigation_++;
        pending_.emplace_back(id, url);
    }
    port_->Report(BrowserEvent{BrowserEvent::Kind::BeforeNavigate, id, url});
}

void FakeBrowserEngine::CompleteDocument(const std::string& url) {
    port_->Report(BrowserEvent{BrowserEvent::Kind::DocumentComplete, 0, url});
}

std::vector<std::string> FakeBrowserEngine::Navigations() const {
    std::lock_guard lock(mutex_);
    return navigations_;
}

std::vector<FakeBrowserEngine::Call> FakeBrowserEngine::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<FakeBrowserEngine::Decision> FakeBrowserEngine::Decisions() const {
    std::lock_guard lock(mutex_);
    return decisions_;
}

size_t FakeBrowserEngine::Pending() const {
    std::lock_guard lock(mutex_);
    return pending_.size();
}
