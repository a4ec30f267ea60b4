#include "player/decode/DecoderManager.h"

namespace {

std::array<CDataDec*, kMaxChannels> PointersTo(std::array<CH264Dec, kMaxChannels>& decoders) {
    std::array<CDataDec*, kMaxChannels> pointers{};
    for (int c = 0; c < kMaxChannels; ++c)
        pointers[c] = &decoders[c];
    return pointers;
}

}  // namespace

CDecoderManager::CDecoderManager() : m_parser(PointersTo(m_decoders).data(), 1) {}

bool CDecoderManager::Create() {
    for (CH264Dec& decoder : m_decoders) {
        if (!decoder.Open())
            return false;
    }
    m_bParserReady.store(true, std::memory_order_release);
    return true;
}

void CDecoderManager::Destroy() {
    for (CH264Dec& decoder : m_decoders)
        decoder.Close();
}

int CDecoderManager::Parse(const unsigned char* data, int length, GopInfo* info, bool wantAudio) {
    if (!m_bParserReady.load(std::memory_order_acquire) || length < 0)
        return -1;
    return m_parser.Parse(data, uint32_t(length), info, wantAudio);
}

int CDecoderManager::Probe(const unsigned char* data, int length, FrameSet* set) {
    if (!m_bParserReady.load(std::memory_order_acquire) || length < 0)
        return -1;
    return m_parser.Probe(data, uint32_t(length), set);
}

bool CDecoderManager::DecodeFrame(int group, int channel, const unsigned char* data, int length,
                                  unsigned char* out, int* size, int* width, int* height) {
    return m_bParserReady.load(std::memory_order_acquire) &&
           m_parser.DecodeFrame(group, channel, data, length, out, size, width, height);
}
