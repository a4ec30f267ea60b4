#include <string>

#include "ResourceFixture.h"
#include "app/res/ResourceIds.h"
#include "platform/user/Resources.h"

namespace {

std::wstring Load(UINT id) {
    wchar_t text[128] = {};
    return LoadStringW(nullptr, id, text, 128) > 0 ? text : L"";
}

}  // namespace

TEST_F(Resources, StringsLoadByTheirIds) {
    const struct {
        UINT id;
        const wchar_t* text;
    } cases[] = {
        {IDS_MSG_PLAYER_LIB_FAIL, L"InitTrevaneLib Fail, Please check and try again !"},
        {IDS_MSG_PLAYER_INIT_FAIL, L"Player Init Error"},
        {IDS_MSG_EXPORT_LIB_FAIL, L"InitzExtractLib fail, please check and try again!"},
        {IDS_MSG_REBUILD_TITLE, L"HDD Time Index Rebuild"},
        {IDS_MSG_REBUILD_STATUS, L"rebuild hdd time index.."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Load(c.id), c.text) << c.id;
}

TEST_F(Resources, NoStringCaptionsAButtonOrNamesTheApplication) {
    // A string with a skinned button's id would be drawn over its bitmap, and
    // one with the framework's title id would replace the message box caption.
    for (UINT id = 10000; id <= 11059; ++id)
        EXPECT_EQ(Load(id), L"") << id;
    EXPECT_EQ(Load(0xE000), L"");
}
