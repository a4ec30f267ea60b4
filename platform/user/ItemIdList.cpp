#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/user/FolderBrowser.h"

// Our item list: a tag, the path's length, then its characters and a null,
// in one block of the shell allocator (malloc).
struct ITEMIDLIST {
    DWORD tag;
    DWORD length;
};

namespace {

constexpr DWORD kTag = 0x4C444949;  // "IIDL"

const wchar_t* PathOf(LPCITEMIDLIST list) {
    return reinterpret_cast<const wchar_t*>(list + 1);
}

class ShellAllocator final : public IMalloc {
public:
    void* Alloc(size_t size) override { return std::malloc(size); }
    void Free(void* block) override { std::free(block); }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
};

}  // namespace

PIDLIST_ABSOLUTE ILCreateFromPathW(const wchar_t* path) {
    if (path == nullptr)
        return nullptr;
    const size_t length = std::wcslen(path);
    auto* list =
        static_cast<ITEMIDLIST*>(std::malloc(sizeof(ITEMIDLIST) + (length + 1) * sizeof(wchar_t)));
    if (list == nullptr)
        return nullptr;
    list->tag = kTag;
    list->length = DWORD(length);
    std::memcpy(list + 1, path, (length + 1) * sizeof(wchar_t));
    return list;
}

BOOL SHGetPathFromIDListW(LPCITEMIDLIST list, wchar_t* path) {
    if (list == nullptr || path == nullptr || list->tag != kTag || list->length >= MAX_PATH)
        return FALSE;
    std::memcpy(path, PathOf(list), (list->length + 1) * sizeof(wchar_t));
    return TRUE;
}

HRESULT SHGetMalloc(IMalloc** allocator) {
    static ShellAllocator shell;
    if (allocator == nullptr)
        return E_FAIL;
    *allocator = &shell;
    return S_OK;
}

void CoTaskMemFree(void* block) {
    std::free(block);
}
