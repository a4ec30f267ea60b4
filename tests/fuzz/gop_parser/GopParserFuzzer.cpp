// libFuzzer target of CGopParser: Probe, then Parse without and with audio,
// on the input as one GOP. The record and its 204800-byte audio buffer live on
// the heap at their exact sizes, so that the sanitizers see any access outside.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "format/gop/GopParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CGopParser parser;
    static const std::unique_ptr<GopInfo> info = std::make_unique<GopInfo>();
    static std::vector<uint8_t> audio(kAudioBufferSize);

    const uint32_t valid = size > UINT32_MAX ? UINT32_MAX : uint32_t(size);
    FrameSet set;
    parser.Probe(data, valid, &set);
    g_nAudioType = int(size & 1);
    info->audioData = audio.data();
    parser.Parse(data, valid, info.get(), false);
    parser.Parse(data, valid, info.get(), true);
    return 0;
}
