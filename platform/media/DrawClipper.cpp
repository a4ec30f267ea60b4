#include "platform/media/DrawClipper.h"

ULONG DrawClipper::Release() {
    const ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT DrawClipper::SetHWnd(DWORD flags, HWND window) {
    if (flags != 0)
        return DDERR_INVALIDPARAMS;
    std::lock_guard lock(mutex_);
    window_ = window;
    return DD_OK;
}

HRESULT DrawClipper::GetHWnd(HWND* window) {
    if (window == nullptr)
        return DDERR_INVALIDPARAMS;
    *window = Window();
    return DD_OK;
}

HWND DrawClipper::Window() const {
    std::lock_guard lock(mutex_);
    return window_;
}
