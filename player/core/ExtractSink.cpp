#include "player/core/ExtractSink.h"

#include <cstring>
#include <memory>

#include "format/gop/GopParser.h"
#include "player/core/GopRecord.h"
#include "player/source/GopReadResult.h"

namespace {

class ExtractSink {
public:
    explicit ExtractSink(zExtractCallback callback) : m_callback(callback) {}

    void operator()(int code, int percent, const void* data, int length) {
        if (code != int(EXTRACT_GOP)) {
            m_callback(code, percent, data, length, nullptr);
            return;
        }
        if (data == nullptr || length < 0 || length > kGopBufferSize)
            return;
        // The parse works on a copy; the host gets the bytes as read.
        std::memcpy(m_copy.get(), data, size_t(length));
        ResetGopRecord(m_info.get(), m_audio.get());
        if (m_parser.Parse(m_copy.get(), uint32_t(length), m_info.get(), true) >= 0)
            m_callback(code, percent, data, length, m_info.get());
    }

private:
    zExtractCallback m_callback;
    CGopParser m_parser;
    std::unique_ptr<uint8_t[]> m_copy = std::make_unique_for_overwrite<uint8_t[]>(kGopBufferSize);
    std::unique_ptr<GopInfo> m_info = std::make_unique<GopInfo>();
    std::unique_ptr<uint8_t[]> m_audio = std::make_unique<uint8_t[]>(kGopAudioBufferSize);
};

}  // namespace

ExtractCallback MakeExtractSink(zExtractCallback callback) {
    auto sink = std::make_shared<ExtractSink>(callback);
    return [sink](int code, int percent, const void* data, int length) {
        (*sink)(code, percent, data, length);
    };
}
