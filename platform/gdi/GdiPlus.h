// The part of GDI+ that saves pictures: start-up and shut-down, the encoder
// list (BMP and JPEG), 32-bit bitmaps, a bitmap made from a GDI bitmap, a
// graphics object that draws one bitmap on another with a scale, and saving
// with an encoder and its quality parameter. JPEG goes through libjpeg-turbo.
// Any thread may use it; one image must not be used by two threads at once.
#pragma once

#include <cstdint>

#include "platform/gdi/GdiTypes.h"

using ULONG_PTR = uintptr_t;

namespace Gdiplus {

using REAL = float;
using ARGB = DWORD;
using PixelFormat = INT;

inline constexpr PixelFormat PixelFormat24bppRGB = 0x00021808;
inline constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
inline constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;

enum Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    FileNotFound = 10,
    UnknownImageFormat = 13,
    GdiplusNotInitialized = 18,
};

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
    bool operator==(const GUID&) const = default;
};
using CLSID = GUID;

// {1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}
inline constexpr GUID EncoderQuality = {
    0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
inline constexpr ULONG EncoderParameterValueTypeLong = 4;

struct EncoderParameter {
    GUID Guid;
    ULONG NumberOfValues;
    ULONG Type;
    void* Value;
};

struct EncoderParameters {
    UINT Count;
    EncoderParameter Parameter[1];
};

struct ImageCodecInfo {
    CLSID Clsid;
    GUID FormatID;
    const wchar_t* CodecName;
    const wchar_t* DllName;
    const wchar_t* FormatDescription;
    const wchar_t* FilenameExtension;
    const wchar_t* MimeType;
    DWORD Flags;
    DWORD Version;
    DWORD SigCount;
    DWORD SigSize;
    const BYTE* SigPattern;
    const BYTE* SigMask;
};

struct GdiplusStartupInput {
    uint32_t GdiplusVersion = 1;
    void* DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = FALSE;
    BOOL SuppressExternalCodecs = FALSE;
};

// Counted: images work while at least one start-up is not shut down.
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, void* output);
void GdiplusShutdown(ULONG_PTR token);

// The encoders: their count and the bytes GetImageEncoders needs (the
// records followed by their strings).
Status GetImageEncodersSize(UINT* count, UINT* size);
Status GetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders);

}  // namespace Gdiplus
