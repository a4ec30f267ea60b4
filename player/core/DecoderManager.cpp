#include "player/core/DecoderManager.h"

#include <mutex>

bool CDecoderManager::Create() {
    CDataDec* const decoders[kMaxChannels] = {};
    auto parser = std::make_unique<CGopParser>(decoders, 1);
    std::unique_lock lock(m_lock);
    m_parser = std::move(parser);
    return true;
}

void CDecoderManager::Destroy() {
    std::unique_lock lock(m_lock);
    m_parser.reset();
}

int CDecoderManager::Parse(const uint8_t* gop, int length, GopInfo* info, bool wantAudio) {
    std::shared_lock lock(m_lock);
    if (m_parser == nullptr || length < 0)
        return -1;
    return m_parser->Parse(gop, uint32_t(length), info, wantAudio);
}

int CDecoderManager::Probe(const uint8_t* gop, int length, FrameSet* set) {
    std::shared_lock lock(m_lock);
    if (m_parser == nullptr || length < 0)
        return -1;
    return m_parser->Probe(gop, uint32_t(length), set);
}
