// The export dialog: time range, target folder, outputs, channels and the
// text overlays. Every choice is a bare check box followed by its own label.
#include <iterator>
#include <string>

#include "app/res/DialogStyles.h"
#include "app/res/DialogTemplates.h"
#include "app/res/ResourceIds.h"

using namespace dialog_styles;

namespace {

const wchar_t* const kButton = L"Button";
const wchar_t* const kStatic = L"Static";
constexpr short kChannelColumn = 96;
constexpr short kOverlayColumn = 77;

// A label ends before the next column's box: a label over it would paint
// over the box.
void AddChoice(DialogTemplate& t, int boxId, int labelId, const std::wstring& text, short x,
               short y, short labelWidth = 88) {
    t.items.push_back({kButton, L"", boxId, kCheck, 0, x, y, 10, 10});
    t.items.push_back(
        {kStatic, text, labelId, kLabel, 0, short(x + 12), short(y + 1), labelWidth, 10});
}

void AddRange(DialogTemplate& t) {
    t.items.push_back({kStatic, L"start time:", IDC_EXPORT_START_LABEL, kLabel, 0, 10, 12, 60, 10});
    t.items.push_back(
        {L"SysDateTimePick32", L"", IDC_EXPORT_START_PICKER, kPicker, 0, 72, 10, 90, 13});
    t.items.push_back(
        {L"msctls_trackbar32", L"", IDC_EXPORT_START_TRACK, kTrackbar, 0, 166, 8, 224, 16});
    t.items.push_back({kStatic, L"end time:", IDC_EXPORT_END_LABEL, kLabel, 0, 10, 32, 60, 10});
    t.items.push_back(
        {L"SysDateTimePick32", L"", IDC_EXPORT_END_PICKER, kPicker, 0, 72, 30, 90, 13});
    t.items.push_back(
        {L"msctls_trackbar32", L"", IDC_EXPORT_END_TRACK, kTrackbar, 0, 166, 28, 224, 16});
    t.items.push_back(
        {kStatic, L"target directory:", IDC_EXPORT_DIR_LABEL, kLabel, 0, 10, 52, 60, 10});
    t.items.push_back({L"Edit", L"", IDC_EXPORT_DIR, kEdit, 0, 72, 50, 290, 12});
    t.items.push_back({kButton, L"...", IDC_EXPORT_BROWSE, kPush, 0, 366, 50, 24, 12});
}

}  // namespace

DialogTemplate ExportTemplate() {
    DialogTemplate t;
    t.style = kToolDialog;
    t.cx = 400;
    t.cy = 250;
    t.title = L"Export";
    AddRange(t);
    AddChoice(t, IDC_EXPORT_AVI, IDC_EXPORT_AVI_LABEL, L"AVI", 10, 72);
    AddChoice(t, IDC_EXPORT_MOV, IDC_EXPORT_MOV_LABEL, L"MOV", 110, 72);
    AddChoice(t, IDC_EXPORT_RAW, IDC_EXPORT_RAW_LABEL, L"gop file(fast)", 210, 72);
    AddChoice(t, IDC_EXPORT_MOSAIC, IDC_EXPORT_MOSAIC_LABEL, L"all ch avi file", 10, 90);
    for (int channel = 0; channel < 16; ++channel)
        AddChoice(t, IDC_EXPORT_CHANNEL_FIRST + channel, IDC_EXPORT_CHANNEL_LABEL_FIRST + channel,
                  L"ch" + std::to_wstring(channel + 1) + L" avi file",
                  static_cast<short>(10 + channel % 4 * kChannelColumn),
                  static_cast<short>(106 + channel / 4 * 16), kChannelColumn - 14);
    const struct {
        int box, label;
        const wchar_t* text;
    } overlays[] = {
        {IDC_EXPORT_OVERLAY_TIME, IDC_EXPORT_OVERLAY_TIME_LABEL, L"date and time"},
        {IDC_EXPORT_OVERLAY_PLATE, IDC_EXPORT_OVERLAY_PLATE_LABEL, L"plate number"},
        {IDC_EXPORT_OVERLAY_SPEED, IDC_EXPORT_OVERLAY_SPEED_LABEL, L"speed"},
        {IDC_EXPORT_OVERLAY_TEMPERATURE, IDC_EXPORT_OVERLAY_TEMPERATURE_LABEL, L"Temperature"},
        {IDC_EXPORT_OVERLAY_GPS, IDC_EXPORT_OVERLAY_GPS_LABEL, L"Longitude and Latitude"},
    };
    short x = 10;
    for (const auto& o : overlays) {
        const bool last = &o == &overlays[std::size(overlays) - 1];
        AddChoice(t, o.box, o.label, o.text, x, 176, last ? 88 : kOverlayColumn - 14);
        x = static_cast<short>(x + kOverlayColumn);
    }
    t.items.push_back(
        {L"msctls_progress32", L"", IDC_EXPORT_PROGRESS, kShown, 0, 10, 198, 380, 12});
    t.items.push_back({kButton, L"START", IDC_EXPORT_START, kPush, 0, 120, 222, 70, 16});
    t.items.push_back({kButton, L"CLOSE", IDC_EXPORT_CLOSE, kPush, 0, 210, 222, 70, 16});
    return t;
}
