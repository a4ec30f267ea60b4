#include "FakePlayer.h"

#include <cstring>

#include "app/shell/LibraryBinding.h"
#include "shared/ByteOrder.h"

namespace {

FakePlayer* g_player = nullptr;

}  // namespace

struct FakePlayerExports {
    static bool TimeHeader(InxHd* header) {
        if (!g_player->timeHeaderReadable)
            return false;
        *header = g_player->timeHeader;
        return true;
    }
    static bool TimeUnit(int index, InxUnit* unit) {
        const auto it = g_player->timeUnits.find(uint32_t(index));
        if (it == g_player->timeUnits.end())
            return false;
        *unit = it->second;
        return true;
    }
    static bool QuickHeader(QuickInxHd* header) {
        if (!g_player->quickHeaderReadable)
            return false;
        std::memset(header, 0, sizeof *header);
        StoreU32(header->bytes, kInxMagic);
        StoreU32(header->bytes + 4, g_player->quickFirst);
        StoreU32(header->bytes + 8, g_player->quickLast);
        return true;
    }
    static bool QuickUnit(int index, QuickInxUnit* unit) {
        const auto it = g_player->quickEntries.find(uint32_t(index));
        if (it == g_player->quickEntries.end())
            return false;
        std::memset(unit, 0xEE, sizeof *unit);
        StoreU32(unit->bytes, it->second);
        return true;
    }
    static long long TotalLength() { return g_player->totalLength; }
    static bool PlayMsg(int cmd, intptr_t a, unsigned lo, int hi, const char*) {
        std::lock_guard lock(g_player->m_mutex);
        g_player->m_calls.push_back(PlayCall{cmd, a, (uint64_t(uint32_t(hi)) << 32) | lo});
        return true;
    }
};

FakePlayer::FakePlayer() {
    g_player = this;
    pfn_zTellTimeInxHd = &FakePlayerExports::TimeHeader;
    pfn_zTellTimeInxUnit = &FakePlayerExports::TimeUnit;
    pfn_zTellQuickInxHd = &FakePlayerExports::QuickHeader;
    pfn_zTellQuickInxUnit = &FakePlayerExports::QuickUnit;
    pfn_zTellTotalLen = &FakePlayerExports::TotalLength;
    pfn_zPlayMSG = &FakePlayerExports::PlayMsg;
}

FakePlayer::~FakePlayer() {
    pfn_zTellTimeInxHd = nullptr;
    pfn_zTellTimeInxUnit = nullptr;
    pfn_zTellQuickInxHd = nullptr;
    pfn_zTellQuickInxUnit = nullptr;
    pfn_zTellTotalLen = nullptr;
    pfn_zPlayMSG = nullptr;
    g_player = nullptr;
}

std::vector<PlayCall> FakePlayer::Calls() const {
    std::lock_guard lock(m_mutex);
    return m_calls;
}
