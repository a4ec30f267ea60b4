// The document of a browser control's page and its script: the page's global
// functions, called by name with string arguments. Owning thread of the
// control; once the control is gone every call fails harmlessly.
#pragma once

#include <memory>
#include <string>
#include <vector>

class BrowserEngine;

class WebDocument {
public:
    explicit WebDocument(std::weak_ptr<BrowserEngine> engine) : engine_(std::move(engine)) {}

    // True when the page has a function `name` and it ran; the arguments
    // reach it as strings, in order. Waits for the page (bounded).
    bool InvokeScriptFunction(const std::wstring& name, const std::vector<std::wstring>& args);

private:
    std::weak_ptr<BrowserEngine> engine_;
};
