// The main window on a real X server with the real player and export
// libraries: made, shown and given the bundled sample through its file
// dialog, with helpers that run it in real time and read the screen.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/ui/main/HalbrookDlg.h"
#include "platform/backend/DisplayChoice.h"
#include "tests/app/ui/main/TestFolder.h"

namespace maine2e {

namespace fs = std::filesystem;

struct Rgb {
    int r, g, b;
};

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd();
    ~EndToEnd() override;

    // The window made and shown, the sample opened by the file dialog and
    // playing.
    void OpenSample();
    // The two halves of it: the window made and shown; the sample opened in it.
    void ShowMainWindow();
    void PlaySample();
    void Pump();
    // Runs the window until `done` holds, at most `ms` of real time.
    bool WaitFor(const std::function<bool()>& done, int ms);
    void Run(int ms);
    bool WaitForStatus(const wchar_t* status, int ms = 5000);
    bool BoxShown(const wchar_t* text);
    std::vector<std::wstring> Boxes();

    // The screen's pixels of the video pane.
    std::vector<uint32_t> VideoPixels(CRect* video);
    static bool Near(uint32_t pixel, Rgb c);
    // Each quarter of the pane shows its channel's colour at its centre.
    bool FourChannelsShown();
    // Each quarter of the pane shows its channel's label: white text in the
    // bottom strip, where the generated pictures have none.
    bool ChannelLabelsShown();
    // The top strip of the first pane, where the generated picture moves.
    std::vector<uint32_t> MovingStrip();
    void Post(UINT message, WPARAM wParam = 0) { dlg.PostMessage(message, wParam, 0); }

    std::unique_ptr<DisplayBackend> display_;
    TestFolder picturesFolder_;
    const fs::path pictures_ = picturesFolder_.Path();
    CHalbrookDlg dlg;

private:
    std::mutex boxLock_;
    std::vector<std::wstring> boxes_;
};

}  // namespace maine2e
