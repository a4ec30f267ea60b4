// The navigations a map page makes to ask the program for something: pseudo
// addresses that begin with "app:", matched case-sensitively by their first
// characters. Any other address is an ordinary navigation. Pure; any thread.
#pragma once

#include <cstdint>
#include <string>

enum class MapPageCommand {
    None,         // not a command: the navigation proceeds
    SeekByTime,   // "app:nomal&" followed by a recording time
    SeekByQuick,  // "app:search&" followed by a quick-index record number
    GetFocus,     // "app:GetFocus&": the page wants the keyboard
    GcmResponse,  // "app:GCMresponse&" followed by a code: proceeds, nothing else
    MapReady,     // "app:MapReady&": the page has loaded its map
};

struct MapPageRequest {
    MapPageCommand command = MapPageCommand::None;
    // SeekByTime, SeekByQuick: the low 32 bits of the decimal number that
    // follows; GcmResponse: the code.
    uint32_t value = 0;
    // Whether the browser is to cancel the navigation.
    bool cancel = false;
};

MapPageRequest ParseMapPageRequest(const std::wstring& url);
