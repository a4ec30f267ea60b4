#include "platform/afx/ScrollBar.h"

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
