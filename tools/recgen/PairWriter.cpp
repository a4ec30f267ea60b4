#include "tools/recgen/PairWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include "format/FrameHeader.h"
#include "shared/ByteOrder.h"
#include "shared/IndexRecords.h"
#include "tools/recgen/GopBuilder.h"

namespace recgen {
namespace {

constexpr uint32_t kMaxByteBackLink = 0xFFFFF;  // 20-bit field

uint64_t RoundUp(uint64_t n) {
    return (n + kSectorSize - 1) / kSectorSize * kSectorSize;
}

bool WriteAll(int fd, const uint8_t* data, std::size_t size, uint64_t offset) {
    while (size > 0) {
        const ssize_t n = pwrite(fd, data, size, off_t(offset));
        if (n <= 0)
            return false;
        data += n;
        size -= std::size_t(n);
        offset += uint64_t(n);
    }
    return true;
}

int CreateFile(const std::string& path) {
    return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

}  // namespace

std::unique_ptr<PairWriter> PairWriter::Create(const std::string& dvrPath,
                                               const std::string& inxPath) {
    const int dvr = CreateFile(dvrPath);
    if (dvr < 0)
        return nullptr;
    const int inx = CreateFile(inxPath);
    if (inx < 0) {
        close(dvr);
        return nullptr;
    }
    return std::unique_ptr<PairWriter>(new PairWriter(dvr, inx));
}

PairWriter::~PairWriter() {
    CloseFiles();
}

void PairWriter::AddGap(uint64_t bytes) {
    end_ += RoundUp(bytes);
    afterGap_ = afterGap_ || bytes > 0;
}

uint32_t PairWriter::BackLinkFor(uint32_t version) const {
    if (placements_.empty() || afterGap_)
        return 0;
    const uint32_t previous = placements_.back().length;
    if (version >= 4)
        return uint32_t(RoundUp(previous) / kSectorSize);
    return previous <= kMaxByteBackLink ? previous : 0;
}

bool PairWriter::AddGop(std::vector<uint8_t> gop, const GopDamage& damage) {
    if (dvr_ < 0 || gop.size() < std::size_t(kFrameHeaderSize))
        return false;
    FrameHeader first = ReadFrameHeader(gop.data());
    first.prevGopLength = damage.backLink.value_or(BackLinkFor(first.version));
    if (damage.growTo > first.gopLength)
        first.gopLength = damage.growTo;
    WriteFrameHeader(first, gop.data());
    RefreshCopiedGopFields(gop);
    FrameHeader stored = first;
    stored.gopLength = damage.statedLength.value_or(first.gopLength);
    WriteFrameHeader(stored, gop.data());
    if (damage.badMagic)
        StoreU32(gop.data(), kFrameMagic + 1);

    const uint64_t offset = end_;
    gop.resize(RoundUp(gop.size()), 0);
    if (!WriteAll(dvr_, gop.data(), gop.size(), offset))
        return false;
    placements_.push_back({offset, first.gopLength, first.time});
    end_ = offset + RoundUp(std::max<uint64_t>(first.gopLength, gop.size()));
    afterGap_ = false;
    return true;
}

bool PairWriter::WriteIndex(const FinishOptions& options) {
    std::vector<uint8_t> index(16, 0);
    auto append = [&index](uint32_t time, uint64_t offset) {
        index.resize(index.size() + 16, 0);
        uint8_t* at = index.data() + index.size() - 16;
        StoreU32(at, time);
        StoreU64(at + 8, offset);
    };
    for (std::size_t i = 0; i < placements_.size(); ++i) {
        if (!options.omittedEntries.contains(i))
            append(placements_[i].time, placements_[i].offset);
    }
    const uint32_t lastTime = placements_.empty() ? 0 : placements_.back().time + 1;
    append(options.endTime.value_or(lastTime), options.indexedLength.value_or(end_));
    StoreU32(index.data(), kInxMagic);
    StoreU32(index.data() + 4, options.indexFirst.value_or(1));
    StoreU32(index.data() + 8, options.indexLast.value_or(uint32_t(index.size() / 16 - 1)));
    const uint64_t cut = std::min<uint64_t>(options.inxCutBytes, index.size());
    return WriteAll(inx_, index.data(), index.size() - cut, 0);
}

bool PairWriter::Finish(const FinishOptions& options) {
    if (dvr_ < 0)
        return false;
    const uint64_t cut = std::min(options.cutBytes, end_);
    bool ok = WriteIndex(options) && ftruncate(dvr_, off_t(end_ - cut)) == 0;
    ok = CloseFiles() && ok;
    return ok;
}

bool PairWriter::CloseFiles() {
    bool ok = true;
    for (int* fd : {&dvr_, &inx_}) {
        if (*fd >= 0 && close(*fd) != 0)
            ok = false;
        *fd = -1;
    }
    return ok;
}

}  // namespace recgen
