// The export range: the two trackbars stand on time index entries, the two
// pickers show those entries' times in whole minutes; moving either side
// moves the other.
#include "app/shell/CalendarTime.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/export/DateTimePicker.h"

namespace {

int64_t PickerMinute(const CDateTimeCtrl& picker) {
    SYSTEMTIME time{};
    picker.GetTime(&time);
    time.wSecond = 0;
    time.wMilliseconds = 0;
    return SecondsOfCalendarTime(time);
}

}  // namespace

bool CDateTimePicker::EntryTime(int64_t position, int64_t* time) const {
    InxUnit unit{};
    if (!Call_zTellTimeInxUnit(int(m_span.EntryAt(position)), &unit))
        return false;
    *time = unit.time;
    return true;
}

void CDateTimePicker::ShowEntryTime(CDateTimeCtrl& picker, int64_t position, int64_t* stored) {
    int64_t time = 0;
    if (!EntryTime(position, &time))
        return;
    *stored = WholeMinuteOf(time);
    const SYSTEMTIME shown = CalendarTimeOf(*stored);
    picker.SetTime(&shown);
}

// The trackbars scroll the dialog; they arrive as the windows they are.
void CDateTimePicker::OnHScroll(UINT code, UINT, CWnd* control) {
    if (code == TB_ENDTRACK || control == nullptr)
        return;
    const bool start = control->m_hWnd == m_startTrack.m_hWnd;
    if (!start && control->m_hWnd != m_endTrack.m_hWnd)
        return;
    CSliderCtrl& track = start ? m_startTrack : m_endTrack;
    int& stored = start ? m_StartUnit : m_EndUnit;
    if (m_startTrack.GetPos() >= m_endTrack.GetPos()) {
        // The warning ends a drag: the thumb must not go on following the
        // mouse behind the box and raise it again.
        if (::GetCapture() == track.m_hWnd)
            ::ReleaseCapture();
        Message(IDS_STRING284);
        track.SetPos(stored);
        return;
    }
    stored = track.GetPos();
    ShowEntryTime(start ? m_startPicker : m_endPicker, stored, start ? &m_StartTime : &m_EndTime);
}

void CDateTimePicker::OnStartTimeChanged(NMHDR*, LRESULT* result) {
    OnTimeChanged(true);
    *result = 0;
}

void CDateTimePicker::OnEndTimeChanged(NMHDR*, LRESULT* result) {
    OnTimeChanged(false);
    *result = 0;
}

void CDateTimePicker::OnTimeChanged(bool start) {
    const int64_t startTime = PickerMinute(m_startPicker);
    const int64_t endTime = PickerMinute(m_endPicker);
    CDateTimeCtrl& picker = start ? m_startPicker : m_endPicker;
    if (startTime >= endTime) {
        Message(IDS_STRING284);
        const SYSTEMTIME back = CalendarTimeOf(start ? m_StartTime : m_EndTime);
        picker.SetTime(&back);
        return;
    }
    m_StartTime = startTime;
    m_EndTime = endTime;
    // The first entry at or after the chosen minute; none: the trackbar stays.
    const int64_t wanted = start ? startTime : endTime;
    for (int64_t p = m_span.FirstPosition(); p <= m_span.LastPosition(); ++p) {
        int64_t time = 0;
        if (EntryTime(p, &time) && time >= wanted) {
            (start ? m_StartUnit : m_EndUnit) = int(p);
            (start ? m_startTrack : m_endTrack).SetPos(int(p));
            return;
        }
    }
}
