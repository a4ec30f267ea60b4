#include "platform/gdi/GdiPlus.h"

#include <turbojpeg.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "platform/gdi/GdiPlusCodecs.h"
#include "shared/TextConvert.h"

namespace Gdiplus {
namespace {

// Live start-up tokens. Guarded by `mutex`.
struct Startups {
    std::mutex mutex;
    ULONG_PTR next = 1;
    std::set<ULONG_PTR> live;
};

Startups& TheStartups() {
    static Startups* s = new Startups;  // outlives every static destructor
    return *s;
}

struct Codec {
    CLSID clsid;
    GUID format;
    const wchar_t* name;
    const wchar_t* extension;
    const wchar_t* mime;
};

// {557CF400-1A04-11D3-9A73-0000F81EF32E} and {557CF401-...}: the BMP and JPEG
// encoders; their formats {B96B3CAB-0728-11D3-9D7B-0000F81EF32E} and
// {B96B3CAE-...}.
constexpr Codec kCodecs[] = {
    {{0x557CF400, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}},
     {0xB96B3CAB, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}},
     L"Built-in BMP Codec",
     L"*.BMP;*.DIB;*.RLE",
     L"image/bmp"},
    {{0x557CF401, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}},
     {0xB96B3CAE, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}},
     L"Built-in JPEG Codec",
     L"*.JPG;*.JPEG;*.JPE;*.JFIF",
     L"image/jpeg"},
};

UINT StringsSize() {
    UINT size = 0;
    for (const Codec& c : kCodecs) {
        for (const wchar_t* s : {c.name, c.extension, c.mime}) {
            size += UINT((std::wcslen(s) + 1) * sizeof(wchar_t));
        }
    }
    return size;
}

// Copies a string into the strings area and returns where it lies.
const wchar_t* Store(const wchar_t* s, wchar_t*& cursor) {
    const wchar_t* at = cursor;
    size_t n = std::wcslen(s) + 1;
    std::wmemcpy(cursor, s, n);
    cursor += n;
    return at;
}

int Quality(const EncoderParameters* parameters) {
    int quality = 75;
    for (UINT i = 0; parameters && i < parameters->Count; ++i) {
        const EncoderParameter& p = parameters->Parameter[i];
        if (p.Guid == EncoderQuality && p.Type == EncoderParameterValueTypeLong &&
            p.NumberOfValues >= 1 && p.Value) {
            quality = int(*static_cast<const ULONG*>(p.Value));
        }
    }
    return quality > 100 ? 100 : quality;
}

bool WriteFile(const std::string& path, const unsigned char* data, size_t size) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    return file && std::fwrite(data, 1, size, file.get()) == size;
}

Status SaveJpeg(const Image& image, const std::string& path, int quality) {
    tjhandle tj = tjInitCompress();
    if (!tj)
        return OutOfMemory;
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const auto* pixels = reinterpret_cast<const unsigned char*>(image.Pixels());
    int failed = tjCompress2(tj, pixels, int(image.GetWidth()), 0, int(image.GetHeight()),
                             TJPF_BGRX, &jpeg, &size, TJSAMP_420, quality, 0);
    Status status = failed ? GenericError : (WriteFile(path, jpeg, size) ? Ok : Win32Error);
    tjFree(jpeg);
    tjDestroy(tj);
    return status;
}

void Put(std::vector<unsigned char>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// A 32-bit bottom-up BMP file.
Status SaveBmp(const Image& image, const std::string& path) {
    uint32_t w = image.GetWidth(), h = image.GetHeight();
    uint32_t bytes = w * h * 4;
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    Put(out, 54 + bytes, 4);
    Put(out, 0, 4);
    Put(out, 54, 4);
    for (uint32_t v : {40u, w, h})
        Put(out, v, 4);
    Put(out, 1, 2);
    Put(out, 32, 2);
    for (uint32_t v : {0u, bytes, 2835u, 2835u, 0u, 0u})
        Put(out, v, 4);
    for (uint32_t y = h; y-- > 0;) {
        const ARGB* row = image.Pixels() + size_t(y) * w;
        for (uint32_t x = 0; x < w; ++x)
            Put(out, row[x], 4);
    }
    return WriteFile(path, out.data(), out.size()) ? Ok : Win32Error;
}

}  // namespace

bool GdiplusStarted() {
    Startups& s = TheStartups();
    std::lock_guard lock(s.mutex);
    return !s.live.empty();
}

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, void*) {
    if (!token || !input || input->GdiplusVersion != 1)
        return InvalidParameter;
    Startups& s = TheStartups();
    std::lock_guard lock(s.mutex);
    *token = s.next++;
    s.live.insert(*token);
    return Ok;
}

void GdiplusShutdown(ULONG_PTR token) {
    Startups& s = TheStartups();
    std::lock_guard lock(s.mutex);
    s.live.erase(token);
}

Status GetImageEncodersSize(UINT* count, UINT* size) {
    if (!count || !size)
        return InvalidParameter;
    *count = UINT(std::size(kCodecs));
    *size = UINT(sizeof(ImageCodecInfo) * std::size(kCodecs)) + StringsSize();
    return Ok;
}

Status GetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders) {
    UINT needCount = 0, needSize = 0;
    GetImageEncodersSize(&needCount, &needSize);
    if (!encoders || count != needCount || size < needSize)
        return InvalidParameter;
    auto* cursor = reinterpret_cast<wchar_t*>(encoders + count);
    for (UINT i = 0; i < count; ++i) {
        const Codec& c = kCodecs[i];
        ImageCodecInfo& e = encoders[i];
        e = {};
        e.Clsid = c.clsid;
        e.FormatID = c.format;
        e.CodecName = Store(c.name, cursor);
        e.FilenameExtension = Store(c.extension, cursor);
        e.MimeType = Store(c.mime, cursor);
        e.Version = 1;
    }
    return Ok;
}

Status Encode(const Image& image, const wchar_t* file, const CLSID* encoder,
              const EncoderParameters* parameters) {
    if (!file || !encoder)
        return InvalidParameter;
    std::string path = WideToUtf8String(file);
    if (*encoder == kCodecs[1].clsid)
        return SaveJpeg(image, path, Quality(parameters));
    if (*encoder == kCodecs[0].clsid)
        return SaveBmp(image, path);
    return UnknownImageFormat;
}

}  // namespace Gdiplus
