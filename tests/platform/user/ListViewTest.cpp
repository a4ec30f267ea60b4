#include <atomic>
#include <string>
#include <thread>

#include "ControlFixture.h"
#include "Reaper.h"
#include "platform/user/RowScrollBar.h"
#include "platform/user/Theme.h"

namespace {

class ListView : public ControlTest {
public:
    ListView() {
        TestWindows::On(parent, WM_NOTIFY, [this](HWND, WPARAM, LPARAM l) {
            const auto* h = reinterpret_cast<const NMHDR*>(l);
            if (h->code == LVN_ITEMCHANGED) {
                const auto* nm = reinterpret_cast<const NMLISTVIEW*>(l);
                changed.push_back({nm->iItem, nm->uNewState});
            }
            if (h->code == NM_DBLCLK || h->code == NM_CLICK) {
                const auto* nm = reinterpret_cast<const NMITEMACTIVATE*>(l);
                activations.push_back({h->code, nm->iItem});
            }
            return LRESULT(0);
        });
        list = Make(WC_LISTVIEWW, L"", LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 300, 200, 14009);
        AddColumn(0, L"Time", 150);
        AddColumn(1, L"Position", 100);
        for (int i = 0; i < 30; ++i) {
            AddRow(i, L"row " + std::to_wstring(i));
            SetCell(i, 1, std::to_wstring(i * 100));
        }
        TestWindows::Pump();
        changed.clear();
    }
    void AddColumn(int at, const wchar_t* text, int width) {
        LVCOLUMNW c{
            LVCF_TEXT | LVCF_WIDTH, LVCFMT_LEFT, width, const_cast<wchar_t*>(text), 0, 0, 0, 0};
        SendMessage(list, LVM_INSERTCOLUMNW, WPARAM(at), LPARAM(&c));
    }
    void AddRow(int at, const std::wstring& text) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = at;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        SendMessage(list, LVM_INSERTITEMW, 0, LPARAM(&item));
    }
    void SetCell(int row, int column, const std::wstring& text) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        SendMessage(list, LVM_SETITEMTEXTW, WPARAM(row), LPARAM(&item));
    }
    std::wstring CellText(int row, int column) const {
        wchar_t buffer[64] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = 64;
        SendMessage(list, LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&item));
        return buffer;
    }
    // Screen point inside row `row` (as shown now), column x offset `x`.
    POINT RowPoint(int row, int x) const {
        RECT r{};
        SendMessage(list, LVM_GETITEMRECT, WPARAM(row), LPARAM(&r));
        return At(list, x, (r.top + r.bottom) / 2);
    }
    int Selected() const {
        return int(SendMessage(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    }
    int Top() const { return int(SendMessage(list, LVM_GETTOPINDEX, 0, 0)); }

    HWND list = nullptr;
    std::vector<std::pair<int, UINT>> changed;
    std::vector<std::pair<UINT, int>> activations;
};

TEST_F(ListView, CellsFollowColumnsAsTheyAreInsertedAndDeleted) {
    EXPECT_EQ(CellText(3, 0), L"row 3");
    EXPECT_EQ(CellText(3, 1), L"300");
    AddColumn(0, L"tindex", 50);
    EXPECT_EQ(CellText(3, 1), L"row 3");
    EXPECT_EQ(CellText(3, 2), L"300");
    SendMessage(list, LVM_DELETECOLUMN, 0, 0);
    EXPECT_EQ(CellText(3, 0), L"row 3");
    SendMessage(list, LVM_DELETEITEM, 0, 0);
    EXPECT_EQ(CellText(0, 0), L"row 1");
    SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListView, APressSelectsOneRowAndTellsTheParentWhatChanged) {
    Click(RowPoint(2, 20));
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(changed, (std::vector<std::pair<int, UINT>>{{2, LVIS_SELECTED | LVIS_FOCUSED}}));
    changed.clear();
    clock->Advance(1000);
    Click(RowPoint(4, 20));
    EXPECT_EQ(changed,
              (std::vector<std::pair<int, UINT>>{{2, 0}, {4, LVIS_SELECTED | LVIS_FOCUSED}}));
    EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    clock->Advance(1000);
    Click(RowPoint(5, 200));
    EXPECT_EQ(Selected(), -1) << "without full-row selection only the first column takes a press";
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    clock->Advance(1000);
    Click(RowPoint(5, 200));
    EXPECT_EQ(Selected(), 5);
}

TEST_F(ListView, ADoubleClickReportsTheRowOrNone) {
    Click(RowPoint(3, 20));
    Click(RowPoint(3, 20));
    const POINT below = At(list, 20, 195);
    SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
    AddRow(0, L"only");
    clock->Advance(1000);
    Click(below);
    Click(below);
    EXPECT_EQ(activations, (std::vector<std::pair<UINT, int>>{
                               {NM_CLICK, 3}, {NM_DBLCLK, 3}, {NM_CLICK, -1}, {NM_DBLCLK, -1}}));
}

TEST_F(ListView, KeysWheelAndScrollBarScroll) {
    const int page = int(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_LT(page, 30);
    SetFocus(list);
    Key(VK_END);
    EXPECT_EQ(Selected(), 29);
    EXPECT_EQ(Top(), 30 - page) << "the selection is kept in sight";
    Key(VK_HOME);
    EXPECT_EQ(Top(), 0);
    display.Wheel(At(list, 50, 100), -WHEEL_DELTA);
    TestWindows::Pump();
    EXPECT_EQ(Top(), 3);
    Click(At(list, 300 - 8, 195));
    EXPECT_EQ(Top(), 3 + page) << "a press below the thumb pages down";
    Key(VK_END);
    ASSERT_EQ(Top(), 30 - page) << "the thumb is now at the bottom";
    clock->Advance(1000);
    Drag(At(list, 300 - 8, 195), At(list, 300 - 8, 0));
    EXPECT_EQ(Top(), 0) << "the thumb drags back to the top";
}

TEST_F(ListView, GridLinesSelectionAndLockedRedraw) {
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    TestWindows::Pump();
    RECT r{};
    SendMessage(list, LVM_GETITEMRECT, 1, LPARAM(&r));
    EXPECT_EQ(display.PixelAt(100, r.bottom - 1), kTheme.grid) << "row line";
    EXPECT_EQ(display.PixelAt(149, r.top + 3), kTheme.grid) << "column line";
    SendMessage(list, WM_SETREDRAW, FALSE, 0);
    LVITEMW state{};
    state.state = state.stateMask = LVIS_SELECTED;
    SendMessage(list, LVM_SETITEMSTATE, 1, LPARAM(&state));
    TestWindows::Pump();
    EXPECT_EQ(display.PixelAt(200, r.top + 3), kTheme.field) << "not painted yet";
    SendMessage(list, WM_SETREDRAW, TRUE, 0);
    TestWindows::Pump();
    EXPECT_EQ(display.PixelAt(200, r.top + 3), kTheme.header)
        << "an unfocused selection shows quietly with LVS_SHOWSELALWAYS";
}

// Columns wider than the list get a scroll bar along its bottom: a press
// right of its thumb pages right, the cells and header move with it, and the
// last column can be brought whole into sight; columns that fit have none.
TEST_F(ListView, ColumnsWiderThanTheListScrollSideways) {
    RECT row{};
    SendMessage(list, LVM_GETITEMRECT, 0, LPARAM(&row));
    EXPECT_EQ(row.left, 0);
    const int pagesBefore = int(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
    AddColumn(2, L"Wheel", 200);  // 450 px of columns in a list 300 wide
    SetCell(0, 2, L"far right");
    TestWindows::Pump();
    EXPECT_EQ(int(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0)), pagesBefore - 1)
        << "the bar takes a row's room at the bottom";
    EXPECT_EQ(display.PixelAt(At(list, 100, 200 - 7).x, At(list, 100, 200 - 7).y),
              kTheme.scrollThumb)
        << "the thumb at the left";
    Click(At(list, 250, 200 - 7));
    SendMessage(list, LVM_GETITEMRECT, 0, LPARAM(&row));
    EXPECT_LT(row.left, 0) << "paged right";
    Click(At(list, 250, 200 - 7));
    Click(At(list, 250, 200 - 7));
    SendMessage(list, LVM_GETITEMRECT, 0, LPARAM(&row));
    EXPECT_EQ(row.right, 300 - kRowScrollBarWidth) << "the last column ends at the row bar";
    LVHITTESTINFO hit{};
    hit.pt = POINT{row.right - 5, (row.top + row.bottom) / 2};
    SendMessage(list, LVM_SUBITEMHITTEST, 0, LPARAM(&hit));
    EXPECT_EQ(hit.iSubItem, 2) << "presses land on the columns as shown";
    Drag(At(list, 280, 200 - 7), At(list, 0, 200 - 7));
    SendMessage(list, LVM_GETITEMRECT, 0, LPARAM(&row));
    EXPECT_EQ(row.left, 0) << "the thumb drags back";
    SendMessage(list, LVM_DELETECOLUMN, 2, 0);
    TestWindows::Pump();
    EXPECT_EQ(int(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0)), pagesBefore) << "no bar";
}

// A column as wide as its text's measured width and the two cell margins
// shows the text whole: the same pixels as a much wider column. Narrower,
// the text ends in an ellipsis.
TEST_F(ListView, AColumnAsWideAsTheMeasuredTextAndItsMarginsShowsItWhole) {
    const wchar_t* text = L"TIME BACKWARD ADJUST";
    const int width = int(SendMessage(list, LVM_GETSTRINGWIDTHW, 0, LPARAM(text)));
    EXPECT_GT(width, int(SendMessage(list, LVM_GETSTRINGWIDTHW, 0, LPARAM(L"TIME BACKWARD"))));
    SetCell(0, 0, text);
    RECT row{};
    SendMessage(list, LVM_GETITEMRECT, 0, LPARAM(&row));
    const int fits = width + 2 * kListViewCellMargin;
    const auto cellPixels = [&](int columnWidth, int across) {
        SendMessage(list, LVM_SETCOLUMNWIDTH, 0, columnWidth);
        TestWindows::Pump();
        const std::vector<uint32_t> screen = display.ReadScreen();
        std::vector<uint32_t> pixels;
        for (int y = row.top + 1; y < row.bottom - 1; ++y) {
            const POINT p = At(list, 0, y);
            const auto from = screen.begin() + p.y * display.Width() + p.x;
            pixels.insert(pixels.end(), from, from + across);
        }
        return pixels;
    };
    const std::vector<uint32_t> wide = cellPixels(fits + 60, fits - 1);
    EXPECT_EQ(cellPixels(fits, fits - 1), wide);
    EXPECT_NE(cellPixels(fits - 3, fits - 4), cellPixels(fits + 60, fits - 4)) << "cut short";
}

}  // namespace

namespace {

// As the find dialog's list threads do: rows are sent from another thread
// while the list's own thread keeps serving its queue.
TEST_F(ListView, AnotherThreadFillsTheListThroughSentMessages) {
    Reaper reaper;
    SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
    std::atomic<bool> done{false};
    std::thread filler([this, &done] {
        SendMessage(list, WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < 200; ++i) {
            const std::wstring text = std::to_wstring(i);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = const_cast<wchar_t*>(text.c_str());
            SendMessage(list, LVM_INSERTITEMW, 0, LPARAM(&item));
        }
        SendMessage(list, WM_SETREDRAW, TRUE, 0);
        done = true;
        PostMessage(parent, WM_NULL, 0, 0);  // wakes the waiting thread
    });
    MSG msg{};
    while (!done && GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    filler.join();
    EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 200);
    EXPECT_EQ(CellText(199, 0), L"199");
}

}  // namespace
