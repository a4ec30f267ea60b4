#include "app/controls/markup/QoHtmlDrawer.h"

BOOL CQoHtmlDrawer::OnTimer() {
    BOOL changed = FALSE;
    for (AnimationInfo& animation : m_animations) {
        if (animation.count <= 0)
            continue;
        if (++animation.tick < animation.speed)
            continue;
        animation.tick = 0;
        animation.frame = (animation.frame + 1) % animation.count;
        changed = TRUE;
    }
    return changed;
}
