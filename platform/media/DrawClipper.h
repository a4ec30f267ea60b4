// DrawClipper: binds primary surfaces to a window of platform/user.
// Lock: mutex_ guards the window.
#pragma once

#include <atomic>
#include <mutex>

#include "platform/media/DirectDraw.h"

class DrawClipper final : public IDirectDrawClipper {
public:
    DrawClipper() = default;

    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override;
    HRESULT SetHWnd(DWORD flags, HWND window) override;
    HRESULT GetHWnd(HWND* window) override;

    HWND Window() const;

private:
    ~DrawClipper() override = default;

    std::atomic<ULONG> refs_{1};
    mutable std::mutex mutex_;
    HWND window_ = nullptr;  // guarded by mutex_
};
