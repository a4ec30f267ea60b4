#include "app/ui/find/IndexListColumns.h"

#include <algorithm>

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
