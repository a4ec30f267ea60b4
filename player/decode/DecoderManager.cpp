#include "player/decode/DecoderManager.h"

namespace {

std::array<CDataDec*, kMaxChannels> PointersTo(std::array<CH264Dec, kMaxChannels>& decoders) {
    std::array<CDataDec*, kMaxChannels> pointers{};
    for (int c = 0; c < kMaxChannels; ++c)
        pointers[c] = &decoders[c];
    return pointers;
}

}  // namespace

CDecoderManager::CDecoderManager() : m_router(PointersTo(m_decoders).data(), 1) {}

bool CDecoderManager::Create() {
    for (CH264Dec& decoder : m_decoders) {
        if (!decoder.Open())
            return false;
    }
    return true;
}

void CDecoderManager::Destroy() {
    for (CH264Dec& decoder : m_decoders)
        decoder.Close();
}
