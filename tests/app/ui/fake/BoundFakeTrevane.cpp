#include "tests/app/ui/fake/BoundFakeTrevane.h"

#include <cstdio>
#include <cstdlib>

#include "app/shell/LibraryBinding.h"

namespace {

constexpr const wchar_t* kLibraryFile = L"FakeTrevane.dll";

}  // namespace

FakeTrevane* LoadedFakeTrevane() {
    const HMODULE library = LoadLibraryW(kLibraryFile);
    if (library == nullptr)
        return nullptr;
    const auto instance = reinterpret_cast<FakeTrevaneInstanceProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "FakeTrevaneInstance")));
    return instance != nullptr ? instance() : nullptr;
}

FakeTrevane& BindFakeTrevane() {
    // Each test binds again; the library stays loaded.
    g_hTrevaneLib = nullptr;
    FakeTrevane* const fake = InitTrevaneLib(kLibraryFile) ? LoadedFakeTrevane() : nullptr;
    if (fake == nullptr) {
        std::fprintf(stderr, "the scripted player library does not bind\n");
        std::abort();
    }
    fake->Reset();
    return *fake;
}
