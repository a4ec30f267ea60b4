#include "app/shell/LibraryBinding.h"

#include <string>

#include "app/shell/BindingTexts.h"
#include "platform/afx/MessageBox.h"
#include "shared/TextConvert.h"

HMODULE g_hTrevaneLib = nullptr;
HMODULE g_hOskuloLib = nullptr;

#define TREVANE_BOUND(name, type, called) type pfn_##name = nullptr;
#define OSKULO_BOUND TREVANE_BOUND
#include "app/shell/LibraryExports.h"
#undef TREVANE_BOUND
#undef OSKULO_BOUND

namespace {

// Through the generic function type, which may be cast to any other.
template <auto* slot>
void Store(FARPROC proc) {
    *slot =
        reinterpret_cast<std::remove_pointer_t<decltype(slot)>>(reinterpret_cast<void (*)()>(proc));
}

template <auto* slot>
bool IsBound() {
    return *slot != nullptr;
}

#define BOUND_ROW(name, type, called) {L## #name, &Store<&pfn_##name>, &IsBound<&pfn_##name>},
#define NOT_THIS_LIBRARY(name, type, called)

const BoundExport kTrevaneExports[] = {
#define TREVANE_BOUND BOUND_ROW
#define OSKULO_BOUND NOT_THIS_LIBRARY
#include "app/shell/LibraryExports.h"
#undef TREVANE_BOUND
#undef OSKULO_BOUND
};

const BoundExport kOskuloExports[] = {
#define TREVANE_BOUND NOT_THIS_LIBRARY
#define OSKULO_BOUND BOUND_ROW
#include "app/shell/LibraryExports.h"
#undef TREVANE_BOUND
#undef OSKULO_BOUND
};

bool BindLibrary(HMODULE* holder, const wchar_t* fileName, std::span<const BoundExport> exports) {
    if (!LoadLibraryOnce(holder, fileName))
        return false;
    for (const BoundExport& entry : exports) {
        const FARPROC proc = GetLibraryProc(*holder, entry.name);
        if (proc == nullptr)
            return false;
        entry.store(proc);
    }
    return true;
}

bool Explain(bool ok, const wchar_t* failure) {
    if (!ok)
        AfxMessageBox(failure, MB_OK);
    return ok;
}

}  // namespace

std::span<const BoundExport> TrevaneExports() {
    return kTrevaneExports;
}

std::span<const BoundExport> OskuloExports() {
    return kOskuloExports;
}

bool LoadLibraryOnce(HMODULE* holder, const wchar_t* fileName) {
    if (*holder != nullptr)
        return false;
    *holder = LoadLibraryW(fileName);
    return *holder != nullptr;
}

FARPROC GetLibraryProc(HMODULE module, const wchar_t* exportName) {
    if (module == nullptr)
        return nullptr;
    return GetProcAddress(module, WideToUtf8String(exportName).c_str());
}

bool InitTrevaneLib(const wchar_t* fileName) {
    return BindLibrary(&g_hTrevaneLib, fileName, kTrevaneExports);
}

bool InitzExtractLib(const wchar_t* fileName) {
    return BindLibrary(&g_hOskuloLib, fileName, kOskuloExports);
}

bool BindLibraries(const std::function<bool()>& initPlayer, const wchar_t* trevaneFile,
                   const wchar_t* oskuloFile) {
    return Explain(InitTrevaneLib(trevaneFile), kPlayerLibraryFailure) &&
           Explain(initPlayer(), kPlayerInitFailure) &&
           Explain(InitzExtractLib(oskuloFile), kExportLibraryFailure);
}
