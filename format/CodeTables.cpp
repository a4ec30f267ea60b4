#include "format/CodeTables.h"

#include <array>
#include <cstddef>

namespace {

template <std::size_t N>
int Lookup(const std::array<int, N>& table, int code) {
    return (code >= 0 && code < int(N)) ? table[std::size_t(code)] : 0;
}

constexpr std::array<int, 8> kChannelCounts{0, 1, 4, 8, 12, 16, 0, 0};
constexpr std::array<int, 8> kSampleRates{22050, 8000, 16000, 22050, 32000, 44100, 4000, 11025};
constexpr std::array<int, 4> kSampleBits{16, 8, 32, 16};
constexpr std::array<int, 8> kAudioChannels{1, 1, 2, 4, 8, 16, 1, 1};

struct SizeEntry {
    int width;
    int palHeight;
    int ntscHeight;
};

constexpr std::array<SizeEntry, 8> kPictureSizes{{
    {0, 0, 0},
    {1920, 1080, 1080},
    {1280, 720, 720},
    {960, 576, 480},
    {704, 576, 480},
    {704, 288, 240},
    {352, 288, 240},
    {1280, 960, 960},
}};

}  // namespace

int ChannelCountOfCode(int code) {
    return Lookup(kChannelCounts, code);
}
int SampleRateOfCode(int code) {
    return Lookup(kSampleRates, code);
}
int SampleBitsOfCode(int code) {
    return Lookup(kSampleBits, code);
}
int AudioChannelsOfCode(int code) {
    return Lookup(kAudioChannels, code);
}

bool PictureSizeOfCode(int code, bool pal, PictureSize* size) {
    if (code < 1 || code >= int(kPictureSizes.size()))
        return false;
    const SizeEntry& e = kPictureSizes[std::size_t(code)];
    *size = {e.width, pal ? e.palHeight : e.ntscHeight};
    return true;
}
