#include "GopStream.h"

#include "format/CodeTables.h"
#include "tools/recgen/GopBuilder.h"

namespace decode_test {

uint32_t ChannelCountCodeOf(int channels) {
    for (uint32_t code = 0; code < 8; ++code) {
        if (ChannelCountOfCode(int(code)) == channels)
            return code;
    }
    return 0;
}

GopStream::GopStream(int channels, uint32_t resolutionCode, int framesPerGop)
    : resolutionCode_(resolutionCode), framesPerGop_(framesPerGop) {
    PictureSize size{};
    PictureSizeOfCode(int(resolutionCode), true, &size);
    for (int c = 0; c < channels && error_.empty(); ++c) {
        encoders_.push_back(recgen::H264ChannelEncoder::Create({.channel = c,
                                                                .width = size.width,
                                                                .height = size.height,
                                                                .framesPerGop = framesPerGop},
                                                               &error_));
    }
}

std::vector<uint8_t> GopStream::NextGop() {
    if (!error_.empty())
        return {};
    const int channels = int(encoders_.size());
    recgen::GopBuilder builder({.version = 4, .channelCountCode = ChannelCountCodeOf(channels)});
    for (int k = 0; k < framesPerGop_; ++k) {
        for (int c = 0; c < channels; ++c) {
            recgen::EncodedFrame frame;
            if (!encoders_[size_t(c)]->EncodeNext(&frame, &error_))
                return {};
            builder.AddFrame({.channel = uint32_t(c),
                              .frameNumber = uint32_t(k + 1),
                              .resolutionCode = resolutionCode_,
                              .fps = uint32_t(framesPerGop_),
                              .frameType = frame.keyFrame ? 1u : 0u,
                              .data = std::move(frame.data)});
        }
    }
    return builder.Build();
}

}  // namespace decode_test
