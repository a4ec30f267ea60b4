#include "platform/web/WebText.h"

#include <gtest/gtest.h>

namespace {

TEST(WebText, ArgumentsBecomeJavaScriptStringsThatCannotEscape) {
    struct Case {
        std::string text;
        std::string literal;
    };
    const Case cases[] = {
        {"", R"("")"},
        {"55.75", R"("55.75")"},
        {R"(say "hi")", R"("say \"hi\"")"},
        {R"(C:\DVR)", R"("C:\\DVR")"},
        {"it's", R"("it's")"},
        {"a\nb\tc\r", R"("a\u000Ab\u0009c\u000D")"},
        {"</script>", R"("<\/script>")"},
        {"\xE2\x80\xA8|\xE2\x80\xA9", R"("\u2028|\u2029")"},
        {"\xE5\x8C\x97\xE4\xBA\xAC", "\"\xE5\x8C\x97\xE4\xBA\xAC\""},
        {"bad\xFFtail", "\"bad\xEF\xBF\xBDtail\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(web::JavaScriptString(c.text), c.literal) << c.text;
}

TEST(WebText, AFunctionCallNamesTheFunctionAndPassesTheArgumentsInOrder) {
    EXPECT_EQ(web::FunctionCallScript("ClearAll_N", {}),
              "(function(){var f=window[\"ClearAll_N\"];if(typeof f!=='function')return false;"
              "try{f();}catch(e){return false;}return true;})()");
    const std::string call = web::FunctionCallScript("Add", {"a\"b", "2"});
    EXPECT_NE(call.find(R"(f("a\"b","2"))"), std::string::npos) << call;
}

TEST(WebText, LiteralsKeepTextOutsideAsciiAsUtf8) {
    EXPECT_EQ(web::JavaScriptString("Map \xC3\xA9\xE5\x8C\x97\xF0\x9F\x9A\x97"),
              "\"Map \xC3\xA9\xE5\x8C\x97\xF0\x9F\x9A\x97\"");
}

TEST(WebText, AbsolutePathsAreNavigatedAsFileUris) {
    struct Case {
        std::wstring address;
        std::string uri;
    };
    const Case cases[] = {
        {L"/opt/app/utilities/dep/no_net.html", "file:///opt/app/utilities/dep/no_net.html"},
        {L"/tmp/my map#1.html", "file:///tmp/my%20map%231.html"},
        {L"/tmp/\u00E9.html", "file:///tmp/%C3%A9.html"},
        {L"http://example.invalid/vehmap/dep/gis_.html",
         "http://example.invalid/vehmap/dep/gis_.html"},
        {L"about:blank", "about:blank"},
        {L"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(web::NavigationUri(c.address), c.uri);
}

}  // namespace
