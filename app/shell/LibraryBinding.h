// The program's binding of its two libraries: no link-time dependency; the
// player library ("Trevane.dll", libTrevane.so) and the export library
// ("Oskulo.dll", libOskulo.so) are loaded by name while the main window
// initialises, each export the program needs is looked up by name into its
// pfn_ pointer, and the rest of the program calls them only through the
// Call_ functions (Call_zInit, Call_zPlayMSG, ...), which pass their
// arguments on unchanged and do not test the pointer: the program never runs
// with a binding that failed.
//
// Threads: binding runs once on the UI thread before any worker exists; the
// handles and pointers never change afterwards and are read from any thread
// without a lock. Libraries are never unloaded.
#pragma once

#include <functional>
#include <span>

#include "platform/base/Module.h"
#include "shared/ExportInterface.h"
#include "shared/PlayerInterface.h"

extern HMODULE g_hTrevaneLib;
extern HMODULE g_hOskuloLib;

#define TREVANE_BOUND(name, type, called) extern type pfn_##name;
#define OSKULO_BOUND TREVANE_BOUND
#include "app/shell/LibraryExports.h"
#undef TREVANE_BOUND
#undef OSKULO_BOUND

namespace binding {

// A call-through of the pointer `slot` points at, with the pointer's own
// signature.
template <typename Proc>
struct CallThrough;
template <typename R, typename... A>
struct CallThrough<R (*)(A...)> {
    template <R (**slot)(A...)>
    static R Call(A... args) {
        return (*slot)(args...);
    }
};

}  // namespace binding

#define CALLED(name, type) \
    inline constexpr auto Call_##name = &binding::CallThrough<type>::Call<&pfn_##name>;
#define UNCALLED(name, type)
#define TREVANE_BOUND(name, type, called) called(name, type)
#define OSKULO_BOUND TREVANE_BOUND
#include "app/shell/LibraryExports.h"
#undef TREVANE_BOUND
#undef OSKULO_BOUND
#undef CALLED
#undef UNCALLED

// One bound export: its name and its pointer, set from or cleared to null.
struct BoundExport {
    const wchar_t* name;
    void (*store)(FARPROC proc);
    bool (*isBound)();
};
// In binding order.
std::span<const BoundExport> TrevaneExports();
std::span<const BoundExport> OskuloExports();

// False when the holder is set already (a second load is refused) or the
// library does not load; otherwise the handle goes into the holder.
bool LoadLibraryOnce(HMODULE* holder, const wchar_t* fileName);
// Null for a null module or a missing export.
FARPROC GetLibraryProc(HMODULE module, const wchar_t* exportName);

// Load the library into its handle and bind its exports in order; false at
// the first failure, which leaves the pointers after it null.
bool InitTrevaneLib(const wchar_t* fileName);
bool InitzExtractLib(const wchar_t* fileName);

// What the main window does while it initialises: binds the player library,
// starts it with `initPlayer` (its Call_zInit with its callbacks), binds the
// export library. Each failure is shown in a message box with an OK button
// and ends the sequence with false; the main window then closes.
bool BindLibraries(const std::function<bool()>& initPlayer,
                   const wchar_t* trevaneFile = L"Trevane.dll",
                   const wchar_t* oskuloFile = L"Oskulo.dll");
