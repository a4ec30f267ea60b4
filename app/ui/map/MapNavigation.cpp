#include "app/ui/map/MapNavigation.h"

#include "app/ui/map/MapIndexSeek.h"
#include "app/ui/map/MapPageCommand.h"
#include "app/ui/map/MapSeek.h"
#include "platform/user/User.h"

namespace {

// The seek command's integer argument for each kind of map seek.
constexpr intptr_t kTimeSeek = 0;
constexpr intptr_t kQuickSeek = 1;

}  // namespace

bool HandleMapPageNavigation(const wchar_t* url, IMapPaneHost& host, HWND browser) {
    const MapPageRequest request = ParseMapPageRequest(url != nullptr ? url : L"");
    uint64_t target = 0;
    switch (request.command) {
        case MapPageCommand::SeekByTime:
            if (FindTimeSeekTarget(request.value, &target))
                SeekPlaybackTo(host, target, kTimeSeek);
            break;
        case MapPageCommand::SeekByQuick:
            if (FindQuickSeekTarget(request.value, &target))
                SeekPlaybackTo(host, target, kQuickSeek);
            break;
        case MapPageCommand::GetFocus:
            ::SetFocus(browser);
            break;
        case MapPageCommand::GcmResponse:
        case MapPageCommand::MapReady:
        case MapPageCommand::None:
            break;
    }
    return request.cancel;
}
