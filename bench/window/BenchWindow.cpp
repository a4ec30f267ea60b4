#include "bench/window/BenchWindow.h"

namespace {

LRESULT BenchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateBenchWindow(int width, int height) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = BenchProc;
    wc.lpszClassName = L"Bench";
    RegisterClassEx(&wc);
    return CreateWindowEx(0, L"Bench", L"", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                          nullptr, nullptr, nullptr);
}
