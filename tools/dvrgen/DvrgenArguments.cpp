#include "tools/dvrgen/DvrgenArguments.h"

#include <charconv>
#include <functional>
#include <map>
#include <sstream>

namespace {

using recgen::AudioKind;
using recgen::RecordingPlan;

template <typename T>
bool ParseNumber(const std::string& text, T* value) {
    const char* end = text.data() + text.size();
    auto [at, ec] = std::from_chars(text.data(), end, *value);
    return ec == std::errc() && at == end && !text.empty();
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

template <typename Container>
bool ParseList(const std::string& text, Container* out) {
    out->clear();
    for (const std::string& part : Split(text, ',')) {
        typename Container::value_type v{};
        if (!ParseNumber(part, &v))
            return false;
        out->insert(out->end(), v);
    }
    return true;
}

bool ParseRoute(const std::string& text, std::vector<recgen::GeoPoint>* route) {
    route->clear();
    for (const std::string& point : Split(text, ';')) {
        const std::vector<std::string> ll = Split(point, ',');
        if (ll.size() != 2)
            return false;
        char* end = nullptr;
        const double lat = std::strtod(ll[0].c_str(), &end);
        if (*end != '\0' || ll[0].empty())
            return false;
        const double lon = std::strtod(ll[1].c_str(), &end);
        if (*end != '\0' || ll[1].empty())
            return false;
        route->push_back({lat, lon});
    }
    return !route->empty();
}

bool ParseGap(const std::string& text, std::map<int, uint64_t>* gaps) {
    const std::vector<std::string> parts = Split(text, ':');
    int gop = 0;
    uint64_t bytes = 0;
    if (parts.size() != 2 || !ParseNumber(parts[0], &gop) || !ParseNumber(parts[1], &bytes))
        return false;
    (*gaps)[gop] = bytes;
    return true;
}

bool ParseResolutionChange(const std::string& text,
                           std::vector<recgen::ResolutionChange>* changes) {
    const std::vector<std::string> parts = Split(text, ':');
    recgen::ResolutionChange change;
    if (parts.size() != 3 || !ParseNumber(parts[0], &change.fromGop) ||
        !ParseNumber(parts[1], &change.channel) || !ParseNumber(parts[2], &change.code))
        return false;
    changes->push_back(change);
    return true;
}

bool ParseAudio(const std::string& text, AudioKind* kind) {
    static const std::map<std::string, AudioKind> kinds{
        {"none", AudioKind::kNone}, {"pcm", AudioKind::kPcm}, {"ulaw", AudioKind::kUlaw}};
    const auto found = kinds.find(text);
    if (found == kinds.end())
        return false;
    *kind = found->second;
    return true;
}

using ValueFlag = std::function<bool(const std::string&, DvrgenArguments&)>;

const std::map<std::string, ValueFlag>& ValueFlags() {
    static const std::map<std::string, ValueFlag> flags{
        {"--out",
         [](const std::string& v, DvrgenArguments& a) {
             a.dvrPath = v + ".dvr";
             a.inxPath = v + ".inx";
             return !v.empty();
         }},
        {"--channels", [](auto& v, auto& a) { return ParseNumber(v, &a.plan.channels); }},
        {"--version", [](auto& v, auto& a) { return ParseNumber(v, &a.plan.version); }},
        {"--resolution", [](auto& v, auto& a) { return ParseList(v, &a.plan.resolutionCodes); }},
        {"--resolution-change",
         [](auto& v, auto& a) { return ParseResolutionChange(v, &a.plan.resolutionChanges); }},
        {"--fps", [](auto& v, auto& a) { return ParseNumber(v, &a.plan.fps); }},
        {"--gops", [](auto& v, auto& a) { return ParseNumber(v, &a.plan.gopCount); }},
        {"--start-time", [](auto& v, auto& a) { return ParseNumber(v, &a.plan.startTime); }},
        {"--skippable", [](auto& v, auto& a) { return ParseList(v, &a.plan.skippableChannels); }},
        {"--audio", [](auto& v, auto& a) { return ParseAudio(v, &a.plan.audio); }},
        {"--audio-tracks", [](auto& v, auto& a) { return ParseNumber(v, &a.plan.audioTracks); }},
        {"--sample-rate-code",
         [](auto& v, auto& a) { return ParseNumber(v, &a.plan.sampleRateCode); }},
        {"--sample-bits-code",
         [](auto& v, auto& a) { return ParseNumber(v, &a.plan.sampleBitsCode); }},
        {"--audio-channels-code",
         [](auto& v, auto& a) { return ParseNumber(v, &a.plan.audioChannelsCode); }},
        {"--vehicle-id",
         [](auto& v, auto& a) {
             a.plan.vehicleId = v;
             return true;
         }},
        {"--route", [](auto& v, auto& a) { return ParseRoute(v, &a.plan.route); }},
        {"--leading-filler",
         [](auto& v, auto& a) { return ParseNumber(v, &a.plan.leadingFillerBytes); }},
        {"--gap", [](auto& v, auto& a) { return ParseGap(v, &a.plan.gapsBefore); }},
        {"--bad-magic", [](auto& v, auto& a) { return ParseList(v, &a.plan.damage.badMagicGops); }},
        {"--oversized",
         [](auto& v, auto& a) { return ParseList(v, &a.plan.damage.oversizedGops); }},
        {"--invalid-log",
         [](auto& v, auto& a) { return ParseList(v, &a.plan.damage.invalidLogGops); }},
        {"--omit-entries",
         [](auto& v, auto& a) { return ParseList(v, &a.plan.damage.omittedIndexEntries); }},
        {"--cut", [](auto& v, auto& a) { return ParseNumber(v, &a.plan.damage.cutBytes); }},
    };
    return flags;
}

bool SwitchFlag(const std::string& flag, DvrgenArguments* out) {
    if (flag == "--help")
        out->help = true;
    else if (flag == "--ntsc")
        out->plan.pal = false;
    else if (flag == "--pal")
        out->plan.pal = true;
    else if (flag == "--shuffle-frames")
        out->plan.shuffledFrames = true;
    else if (flag == "--no-telemetry")
        out->plan.telemetry = false;
    else
        return false;
    return true;
}

}  // namespace

bool ParseDvrgenArguments(const std::vector<std::string>& args, DvrgenArguments* out,
                          std::string* error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (SwitchFlag(flag, out))
            continue;
        const auto found = ValueFlags().find(flag);
        if (found == ValueFlags().end()) {
            *error = "unknown option " + flag;
            return false;
        }
        if (i + 1 == args.size() || !found->second(args[i + 1], *out)) {
            *error = "bad or missing value for " + flag;
            return false;
        }
        ++i;
    }
    if (!out->help && out->dvrPath.empty()) {
        *error = "--out is required";
        return false;
    }
    return true;
}

const char* DvrgenUsage() {
    return R"(dvrgen: writes a generated recording pair BASE.dvr and BASE.inx

  --out BASE               output base name (required)
  --channels N             1, 4, 8, 12 or 16 (default 4)
  --version V              GOP format version 0 to 4 (default 4)
  --resolution C[,C...]    resolution code per channel, the last repeats (default 6)
  --resolution-change G:C:CODE  channel C records at CODE from GOP G on (repeatable)
  --pal | --ntsc           picture heights (default PAL)
  --shuffle-frames         interleave the channels' frames in a new order every GOP
  --fps N                  header fps, 1 to 30; frames per channel for versions 3 and 4 (default 25)
  --gops N                 GOP count, one second each (default 10)
  --start-time T           time of the first GOP, seconds since 1970 (default 1700000000)
  --skippable C[,C...]     channels written without noSkip, all intra
  --audio none|pcm|ulaw    audio (default ulaw; pcm for versions 0-3, ulaw for version 4)
  --audio-tracks N         u-law tracks, 1 or 2 (default 1)
  --sample-rate-code C     PCM sample rate code (default 1: 8000 Hz)
  --sample-bits-code C     PCM sample width code (default 0: 16 bits)
  --audio-channels-code C  PCM channel count code (default 0: mono)
  --no-telemetry           leave the telemetry block out
  --vehicle-id TEXT        vehicle id, up to 14 bytes (default GEN-0001)
  --route LAT,LON;...      route in degrees, driven in a loop (default a city loop)
  --leading-filler BYTES   zero bytes before the first GOP, rounded up to 512
  --gap GOP:BYTES          sparse zero bytes before GOP number GOP (repeatable)
  --bad-magic G[,G...]     GOPs whose magic is wrong
  --oversized G[,G...]     GOPs that claim and occupy 12 MiB + 512 bytes
  --invalid-log G[,G...]   GOPs whose telemetry tag is wrong
  --omit-entries G[,G...]  GOPs left out of the index
  --cut BYTES              cut the .dvr this many bytes short of its index
  --help                   this text
GOP numbers count from 0. Channel c shows colour c of recgen's ChannelColour table.
)";
}
