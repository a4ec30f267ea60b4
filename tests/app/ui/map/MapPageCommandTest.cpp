#include "app/ui/map/MapPageCommand.h"

#include <gtest/gtest.h>

namespace {

TEST(MapPageCommand, PrefixesAreMatchedExactlyAndDecideTheNavigation) {
    struct Case {
        const wchar_t* url;
        MapPageCommand command;
        uint32_t value;
        bool cancel;
    };
    const Case cases[] = {
        {L"app:nomal&1700000000", MapPageCommand::SeekByTime, 1700000000u, true},
        {L"app:nomal&  +42xyz", MapPageCommand::SeekByTime, 42, true},
        {L"app:nomal&", MapPageCommand::SeekByTime, 0, true},
        {L"app:nomal&4294967301", MapPageCommand::SeekByTime, 5, true},  // low 32 bits
        {L"app:nomal&-1", MapPageCommand::SeekByTime, 0xFFFFFFFFu, true},
        {L"app:search&17", MapPageCommand::SeekByQuick, 17, true},
        {L"app:GetFocus&", MapPageCommand::GetFocus, 0, true},
        {L"app:GCMresponse&200", MapPageCommand::GcmResponse, 200, false},
        {L"app:GCMresponse&500", MapPageCommand::GcmResponse, 500, false},
        {L"app:MapReady&", MapPageCommand::MapReady, 0, true},
        {L"APP:nomal&5", MapPageCommand::None, 0, false},
        {L"app:Nomal&5", MapPageCommand::None, 0, false},
        {L"app:nomal", MapPageCommand::None, 0, false},
        {L"app:", MapPageCommand::None, 0, false},
        {L"", MapPageCommand::None, 0, false},
        {L"file:///opt/marlowin/utilities/dep/yandex.html", MapPageCommand::None, 0, false},
    };
    for (const Case& c : cases) {
        const MapPageRequest r = ParseMapPageRequest(c.url);
        EXPECT_EQ(r.command, c.command) << c.url;
        EXPECT_EQ(r.value, c.value) << c.url;
        EXPECT_EQ(r.cancel, c.cancel) << c.url;
    }
}

}  // namespace
