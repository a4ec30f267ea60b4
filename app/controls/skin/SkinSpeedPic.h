// The speed dial: the picture of the selected slot stretched over the
// control, blue RGB(0, 0, 255) left out; an empty slot or an index outside
// 0..11 draws nothing. User-interface thread only.
#pragma once

#include "app/controls/skin/CommandForwardingStatic.h"
#include "app/controls/skin/SkinBitmap.h"

class CSkinSpeedPic : public CCommandForwardingStatic {
public:
    static constexpr int kSlots = 12;

    // Loads the dial skins into slots 0-2, each only if the slot is empty.
    void LoadBitmaps();
    // Selects the slot to show; invalidates with erasing.
    void SetIndex(int index);

protected:
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    CSkinBitmap m_slots[kSlots];
    int m_nIndex = 0;
};
