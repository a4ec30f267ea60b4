#include "player/render/OsdText.h"

#include <cwchar>

namespace {

struct NamedSize {
    int width;
    int height;
    const wchar_t* name;
};

constexpr NamedSize kNamedSizes[] = {
    {1280, 720, L"720P"}, {960, 480, L"960H-N"}, {960, 576, L"960H-P"},  {704, 480, L"D1-N"},
    {704, 576, L"D1-P"},  {704, 240, L"HD1-N"},  {704, 288, L"HD1-P"},   {352, 240, L"CIF-N"},
    {352, 288, L"CIF-P"}, {1280, 960, L"SXGA"},  {1920, 1080, L"1080P"},
};

}  // namespace

std::wstring FormatOsdText(int channel, int width, int height, int version, int frames) {
    const int rate = version == 4 ? frames : frames * 2;
    wchar_t text[64];
    for (const NamedSize& size : kNamedSizes) {
        if (size.width == width && size.height == height) {
            std::swprintf(text, 64, L"CH%d %ls @%d fps", channel + 1, size.name, rate);
            return text;
        }
    }
    std::swprintf(text, 64, L"CH%d %d x %d @%d fps", channel + 1, width, height, rate);
    return text;
}
