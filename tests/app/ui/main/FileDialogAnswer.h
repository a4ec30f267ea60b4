// Opening a file through the main window's file dialog in a test: the
// dialog is answered with the file instead of asking anyone.
#pragma once

#include <string>

#include "app/res/ResourceIds.h"
#include "platform/afx/Afx.h"
#include "platform/user/FileDialog.h"

namespace maintest {

// Sends `command` (a button or menu id) to `window`, with the file dialog it
// shows answered "open `file`".
inline void OpenThroughFileDialog(CWnd& window, const std::wstring& file,
                                  UINT command = IDC_MAIN_OPEN_FILE) {
    SetFileDialogHook([file](const FileDialogRequest&) {
        FileDialogAnswer answer;
        answer.action = FileDialogAnswer::Open;
        answer.name = file;
        return answer;
    });
    window.SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
    SetFileDialogHook(nullptr);
}

}  // namespace maintest
