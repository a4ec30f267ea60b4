#include "app/controls/skin/SkinAlarm.h"

#include "app/controls/skin/SkinBitmap.h"

BEGIN_MESSAGE_MAP(CSkinAlarm, CCommandForwardingStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CSkinAlarm::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.SetStretchBltMode(COLORONCOLOR);
    // The lamp's bitmaps are the owner's; a wrapper lends them the skin drawing.
    CSkinBitmap lamp;
    lamp.Attach(m_bitmaps[m_bOn != 0 ? 1 : 0].GetSafeHandle());
    if (lamp.GetSafeHandle() != nullptr)
        lamp.DrawTransparent(&dc, client, RGB(25, 25, 25));
    lamp.Detach();
}
