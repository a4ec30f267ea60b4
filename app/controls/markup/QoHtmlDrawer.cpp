#include "app/controls/markup/QoHtmlDrawer.h"

CQoHtmlDrawer::CQoHtmlDrawer() {
    FillTags();
    FillEffects();
    FillEntities();
    FillColors();
    m_handCursor = LoadCursor(nullptr, IDC_HAND);
    SetDefaultStyleSheet();
}

// The hand cursor is a shared system cursor and is not destroyed; the font
// lives only during a pass.
CQoHtmlDrawer::~CQoHtmlDrawer() = default;
