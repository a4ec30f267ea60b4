#include "app/ui/map/WebPage.h"

bool CWebPage::AttachDocument(std::shared_ptr<WebDocument> document) {
    m_document = std::move(document);
    return m_document != nullptr;
}

bool CWebPage::InvokeScriptFunction(const CString& name, const CStringArray& arguments) {
    if (m_document == nullptr)
        return false;
    std::vector<std::wstring> args;
    for (int i = 0; i < arguments.GetSize(); ++i)
        args.push_back(arguments[i].Std());
    return m_document->InvokeScriptFunction(name.Std(), args);
}

bool CWebPage::InvokeScriptFunctionNoArgs(const CString& name) {
    return InvokeScriptFunction(name, CStringArray());
}
