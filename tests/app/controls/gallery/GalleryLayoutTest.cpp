// The gallery's layout on the headless display: every control is there,
// shown, inside its parent and clear of its siblings, so none of them can
// hide another in the expected image.
#include <gtest/gtest.h>

#include <vector>

#include "app/res/MarlowinResources.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/base/FakeClock.h"
#include "tools/skingallery/SkinGallery.h"

namespace {

// The panels, the tool buttons, menu labels, text labels, seek slider,
// transport buttons, the volume buttons, slider and audio button, and the
// telemetry controls with their lamps.
constexpr size_t kControls = 3 + CSkinGalleryDlg::kToolButtons + CSkinGalleryDlg::kMenuLabels + 2 +
                             1 + CSkinGalleryDlg::kTransportButtons + 4 + 5 +
                             CSkinGalleryDlg::kLamps;

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND h = GetWindow(parent, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    return children;
}

// Screen rectangle of a window's client area.
RECT ClientOnScreen(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    OffsetRect(&r, origin.x, origin.y);
    return r;
}

// Checks `parent`'s children and theirs; returns how many there are.
size_t CheckChildren(HWND parent) {
    const std::vector<HWND> children = Children(parent);
    const RECT inside = ClientOnScreen(parent);
    size_t count = children.size();
    for (size_t i = 0; i < children.size(); ++i) {
        const int id = GetDlgCtrlID(children[i]);
        RECT r{};
        GetWindowRect(children[i], &r);
        EXPECT_TRUE(IsWindowVisible(children[i])) << id;
        EXPECT_FALSE(IsRectEmpty(&r)) << id;
        RECT cut{};
        IntersectRect(&cut, &r, &inside);
        EXPECT_TRUE(EqualRect(&cut, &r)) << id << " reaches out of its parent";
        for (size_t j = i + 1; j < children.size(); ++j) {
            RECT other{};
            GetWindowRect(children[j], &other);
            EXPECT_FALSE(IntersectRect(&cut, &r, &other))
                << id << " overlaps " << GetDlgCtrlID(children[j]);
        }
        count += CheckChildren(children[i]);
    }
    return count;
}

TEST(GalleryLayout, EveryControlShowsInsideItsParentAndClearOfTheOthers) {
    const ScopedFakeClock clock;
    const HeadlessDisplay display(800, 600, RGB(0, 0, 0));
    RegisterMarlowinResources();
    CSkinGalleryDlg gallery;
    ASSERT_TRUE(gallery.Open());
    CRect place;
    gallery.GetWindowRect(&place);
    EXPECT_EQ(place, CRect(CSkinGalleryDlg::kPlace));
    EXPECT_EQ(CheckChildren(gallery.m_hWnd), kControls);
    gallery.DestroyWindow();
}

}  // namespace
