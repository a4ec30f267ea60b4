#include "app/controls/markup/QoHtmlDrawer.h"

CQoHtmlDrawer::CQoHtmlDrawer() {
    FillTags();
    FillEffects();
    FillEntities();
    FillColors();
    SetHandCursor(nullptr);
    SetDefaultStyleSheet();
}

// The font lives only during a pass; the hand cursor is not owned.
CQoHtmlDrawer::~CQoHtmlDrawer() = default;
