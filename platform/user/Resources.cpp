#include "platform/user/Resources.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/user/Icons.h"
#include "platform/user/Input.h"

namespace {

struct BitmapData {
    int width;
    int height;
    std::vector<uint32_t> pixels;
};

// Entries are held by pointer so that what callers were handed stays put.
struct Store {
    std::mutex mutex;
    std::map<UINT, std::unique_ptr<std::wstring>> strings;
    std::map<UINT, std::unique_ptr<BitmapData>> bitmaps;
    std::map<UINT, std::unique_ptr<DialogTemplate>> dialogs;
    std::map<UINT, HICON> icons;  // the store's own copies, kept for the process
};

Store& TheStore() {
    static Store* store = new Store;
    return *store;
}

bool IdOf(const wchar_t* name, UINT* id) {
    if (name == nullptr || !IS_INTRESOURCE(name))
        return false;
    *id = UINT(uintptr_t(name));
    return true;
}

HBITMAP MakeBitmap(const BitmapData& data) {
    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, data.width, data.height);
    if (bitmap == nullptr)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{
        sizeof(BITMAPINFOHEADER), data.width, -data.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBits(nullptr, bitmap, 0, UINT(data.height), data.pixels.data(), &info, DIB_RGB_COLORS);
    return bitmap;
}

}  // namespace

void AddStringResource(UINT id, const wchar_t* text) {
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    s.strings[id] = std::make_unique<std::wstring>(text != nullptr ? text : L"");
}

void AddBitmapResource(UINT id, int width, int height, const uint32_t* pixels) {
    if (width <= 0 || height <= 0 || pixels == nullptr)
        return;
    auto data = std::make_unique<BitmapData>();
    data->width = width;
    data->height = height;
    data->pixels.assign(pixels, pixels + size_t(width) * size_t(height));
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    s.bitmaps[id] = std::move(data);
}

void AddIconResource(UINT id, HICON icon) {
    HICON copy = CopyIcon(icon);
    if (copy == nullptr)
        return;
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    HICON& entry = s.icons[id];
    if (entry != nullptr)
        DestroyIcon(entry);
    entry = copy;
}

void AddDialogResource(UINT id, DialogTemplate dialog) {
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    s.dialogs[id] = std::make_unique<DialogTemplate>(std::move(dialog));
}

int LoadStringW(HINSTANCE, UINT id, wchar_t* buffer, int size) {
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    auto it = s.strings.find(id);
    if (buffer == nullptr)
        return 0;
    if (it == s.strings.end()) {
        if (size > 0)
            buffer[0] = 0;
        return 0;
    }
    const std::wstring& text = *it->second;
    if (size == 0) {
        *reinterpret_cast<const wchar_t**>(buffer) = text.c_str();
        return int(text.size());
    }
    const size_t n = std::min(text.size(), size_t(size - 1));
    text.copy(buffer, n);
    buffer[n] = 0;
    return int(n);
}

HBITMAP LoadBitmapW(HINSTANCE, const wchar_t* name) {
    UINT id = 0;
    if (!IdOf(name, &id))
        return nullptr;
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    auto it = s.bitmaps.find(id);
    return it == s.bitmaps.end() ? nullptr : MakeBitmap(*it->second);
}

void* LoadImageW(HINSTANCE instance, const wchar_t* name, UINT type, int, int, UINT) {
    if (type == IMAGE_BITMAP)
        return LoadBitmapW(instance, name);
    if (type == IMAGE_CURSOR)
        return LoadCursorW(instance, name);
    UINT id = 0;
    if (type != IMAGE_ICON || !IdOf(name, &id))
        return nullptr;
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    auto it = s.icons.find(id);
    return it == s.icons.end() ? nullptr : CopyIcon(it->second);
}

const DialogTemplate* FindDialogResource(const wchar_t* name) {
    UINT id = 0;
    if (!IdOf(name, &id))
        return nullptr;
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    auto it = s.dialogs.find(id);
    return it == s.dialogs.end() ? nullptr : it->second.get();
}
