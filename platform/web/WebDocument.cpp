#include "platform/web/WebDocument.h"
#include "shared/TextConvert.h"

#include "platform/web/BrowserEngine.h"
#include "platform/web/WebText.h"

bool WebDocument::InvokeScriptFunction(const std::wstring& name,
                                       const std::vector<std::wstring>& args) {
    const std::shared_ptr<BrowserEngine> engine = engine_.lock();
    if (engine == nullptr || !engine->HasDocument())
        return false;
    std::vector<std::string> utf8;
    for (const std::wstring& a : args)
        utf8.push_back(WideToUtf8String(a));
    return engine->CallFunction(WideToUtf8String(name), utf8);
}
