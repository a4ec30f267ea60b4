// The page document a window shows in its browser control, and the calls of
// the page's script functions. Owned by value by that window; UI thread.
// Every call finds nothing to do, and returns false, while no document is
// attached or the page lacks the function: a page that has not loaded yet
// simply receives nothing.
#pragma once

#include <memory>

#include "platform/afx/StringArray.h"
#include "platform/web/WebDocument.h"

class CWebPage {
public:
    virtual ~CWebPage() = default;

    // Holds `document`; true when it is not null.
    bool AttachDocument(std::shared_ptr<WebDocument> document);
    void DetachDocument() { m_document.reset(); }
    bool HasDocument() const { return m_document != nullptr; }

    // Calls the page's function `name` with the arguments as strings, in
    // array order (the browser escapes them as script string literals).
    bool InvokeScriptFunction(const CString& name, const CStringArray& arguments);
    bool InvokeScriptFunctionNoArgs(const CString& name);

private:
    std::shared_ptr<WebDocument> m_document;
};
