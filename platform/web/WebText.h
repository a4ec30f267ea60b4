// The pieces of script the controls send to a page. Pure; any thread.
#pragma once

#include <string>
#include <vector>

namespace web {

// `text` as a JavaScript string literal in double quotes: quotes, backslashes,
// control characters, line and paragraph separators and "</" escaped, so that
// no argument can end the literal or the script around it.
std::string JavaScriptString(const std::string& text);

// A script expression that calls the page's global function `name` with the
// arguments as strings, in order, and is true when the function exists and
// ran without throwing, false otherwise.
std::string FunctionCallScript(const std::string& name, const std::vector<std::string>& args);

// What the engine is asked to load for an address given to Navigate: an
// absolute file path becomes a file: URI (percent-encoded), anything else is
// used as it is.
std::string NavigationUri(const std::wstring& address);

}  // namespace web
