#include "app/ui/find/IndexListColumns.h"

#include <algorithm>
#include <iterator>

#include "platform/gdi/SystemMetrics.h"

namespace {

// The widest a time can print: the format of the lists' time column.
constexpr const wchar_t* kWidestTime = L"0000/00/00 00:00:00";

// The column width that shows the widest of `texts` whole.
int FittingWidth(const CListCtrl& list, const std::vector<CString>& texts) {
    int widest = 0;
    for (const CString& text : texts)
        widest = std::max(widest, list.GetStringWidth(text));
    return widest + 2 * kListViewCellMargin;
}

// The widest cells of the quick list's columns, in its order: entry, time,
// speed, G values, temperature, position, tyre count and tyres.
const wchar_t* const kWidestQuickCells[] = {
    L"0000000", kWidestTime,
    L"0000",    L"-00.00/-00.00/-00.00",
    L"-0000",   L"-000.000000/-00.000000",
    L"00",      L" 1:000/error 2:000/error 3:000/error 4:000/error",
};

}  // namespace

IndexListWidths MeasureIndexListWidths(const CListCtrl& list, const std::vector<CString>& headings,
                                       const EventNames& names) {
    std::vector<CString> statuses = EveryEventStatusText(names);
    statuses.push_back(headings[2]);
    const int time = FittingWidth(list, {headings[0], CString(kWidestTime)});
    const int status = FittingWidth(list, statuses);
    CRect client;
    list.GetClientRect(&client);
    const int left = client.Width() - GetSystemMetrics(SM_CXVSCROLL) - time - status;
    return {time, std::max(left, FittingWidth(list, {headings[1]})), status};
}

std::vector<int> MeasureQuickListWidths(const CListCtrl& list,
                                        const std::vector<CString>& headings) {
    std::vector<int> widths;
    for (size_t i = 0; i < headings.size(); ++i) {
        std::vector<CString> texts = {headings[i]};
        if (i < std::size(kWidestQuickCells))
            texts.emplace_back(kWidestQuickCells[i]);
        widths.push_back(FittingWidth(list, texts));
    }
    return widths;
}
