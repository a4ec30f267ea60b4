#include "platform/user/SystemClasses.h"

#include "platform/user/ComboBoxState.h"
#include "platform/user/CommonDialogControls.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/Input.h"
#include "platform/user/MenuWindow.h"
#include "platform/user/Menus.h"
#include "platform/user/Styles.h"

std::vector<WNDCLASSEXW> SystemClassDescriptions() {
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    const UINT size = sizeof(WNDCLASSEXW);
    return {
        WNDCLASSEXW{size, CS_DBLCLKS | CS_SAVEBITS, DefDlgProcW, 0, DLGWINDOWEXTRA, nullptr,
                    nullptr, arrow, nullptr, nullptr, kDialogClassName, nullptr},
        WNDCLASSEXW{size, CS_DBLCLKS | CS_PARENTDC, ButtonWindowProc, 0, 2 * int(sizeof(LONG_PTR)),
                    nullptr, nullptr, arrow, nullptr, nullptr, L"Button", nullptr},
        WNDCLASSEXW{size, CS_DBLCLKS | CS_PARENTDC, StaticWindowProc, 0, 2 * int(sizeof(LONG_PTR)),
                    nullptr, nullptr, arrow, nullptr, nullptr, L"Static", nullptr},
        WNDCLASSEXW{size, CS_DBLCLKS | CS_PARENTDC, EditWindowProc, 0, kControlStateBytes, nullptr,
                    nullptr, LoadCursorW(nullptr, IDC_IBEAM), nullptr, nullptr, L"Edit", nullptr},
        WNDCLASSEXW{size, CS_DBLCLKS | CS_PARENTDC, ProgressWindowProc, 0, kControlStateBytes,
                    nullptr, nullptr, arrow, nullptr, nullptr, L"msctls_progress32", nullptr},
        WNDCLASSEXW{size, CS_DBLCLKS | CS_PARENTDC, TrackbarWindowProc, 0, kControlStateBytes,
                    nullptr, nullptr, arrow, nullptr, nullptr, L"msctls_trackbar32", nullptr},
        WNDCLASSEXW{size, CS_DBLCLKS | CS_PARENTDC, ComboBoxWindowProc, 0, kControlStateBytes,
                    nullptr, nullptr, arrow, nullptr, nullptr, L"ComboBox", nullptr},
        WNDCLASSEXW{size, CS_SAVEBITS, ComboListWindowProc, 0, kControlStateBytes, nullptr, nullptr,
                    arrow, nullptr, nullptr, kComboListClass, nullptr},
        WNDCLASSEXW{size, CS_DBLCLKS, ListViewWindowProc, 0, kControlStateBytes, nullptr, nullptr,
                    arrow, nullptr, nullptr, L"SysListView32", nullptr},
        WNDCLASSEXW{size, CS_DBLCLKS, DateTimeWindowProc, 0, kControlStateBytes, nullptr, nullptr,
                    arrow, nullptr, nullptr, L"SysDateTimePick32", nullptr},
        WNDCLASSEXW{size, CS_SAVEBITS, ToolTipWindowProc, 0, kControlStateBytes, nullptr, nullptr,
                    arrow, nullptr, nullptr, L"tooltips_class32", nullptr},
        WNDCLASSEXW{size, CS_SAVEBITS, MenuWindowProc, 0, int(sizeof(LONG_PTR)), nullptr, nullptr,
                    arrow, nullptr, nullptr, kMenuClassName, nullptr},
        WNDCLASSEXW{size, CS_DBLCLKS | CS_PARENTDC, ChoiceListWindowProc, 0,
                    2 * int(sizeof(LONG_PTR)), nullptr, nullptr, arrow, nullptr, nullptr,
                    kChoiceListClass, nullptr},
    };
}
