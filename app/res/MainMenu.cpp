#include "app/res/MainMenu.h"

#include "app/res/ResourceIds.h"
#include "platform/user/Menus.h"

namespace {

MenuItemTemplate Command(const wchar_t* text, UINT id, UINT flags = 0) {
    return MenuItemTemplate{text, id, flags, {}};
}

MenuItemTemplate Popup(const wchar_t* text, std::vector<MenuItemTemplate> items) {
    return MenuItemTemplate{text, 0, 0, std::move(items)};
}

}  // namespace

MenuTemplate MainMenuTemplate() {
    MenuTemplate menu;
    menu.items = {
        Popup(L"File",
              {Command(L"Open file", IDM_OPEN_FILE), Command(L"Search hdd", IDM_SEARCH_HDD),
               Command(L"Search sd", IDM_SEARCH_SD), Command(L"Close/Stop search", IDM_CLOSE)}),
        Popup(
            L"Windows",
            {Popup(L"Layout", {Command(L"single screen", IDM_SINGLE_SCREEN, MF_CHECKED),
                               Command(L"double screen", IDM_DOUBLE_SCREEN)}),
             Popup(L"Unit Setting", {Popup(L"Speed per Hour", {Command(L"KM", IDM_SPEED_KM),
                                                               Command(L"Mile", IDM_SPEED_MILE)}),
                                     // The degree signs replace these at run time.
                                     Popup(L"Temperature", {Command(L"?", IDM_TEMPERATURE_C),
                                                            Command(L"?", IDM_TEMPERATURE_F)})})}),
        Popup(L"Control", {Command(L"Find and play", IDM_FIND_AND_PLAY),
                           Command(L"Rebuild index hdd", IDM_REBUILD_INDEX_HDD)}),
        Popup(L"Settings", {Command(L"Other", IDM_OTHER_SETTING)}),
        Popup(L"Help", {Command(L"About", IDM_ABOUT)}),
    };
    return menu;
}
