// The settings dialog ("Other Settings"): the language, the log, picture and
// export folders and auto replay.
//
// Apply (and OK) checks that each folder exists or can be made, with a
// message naming the first one that cannot, and then changes nothing; else
// it stores the folders in the configuration globals, loads the chosen
// language when it is another one and has the main window relabel itself
// (`languageChanged`), stores auto replay, and writes every key to
// AppConfig.ini at once, saying so when the file cannot be written. OK then
// closes the dialog, also after a message; Exit closes it without applying.
// The pictures and exports use a new folder from then on, the daily log
// only from the next start.
//
// Created on the stack and run modally by the main window. UI thread only.
#pragma once

#include <functional>
#include <vector>

#include "app/controls/skin/SubDialog.h"

class CDialogOtherSetting : public CSubDialog {
public:
    CDialogOtherSetting(CWnd* parent, std::function<void()> languageChanged);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnApply();
    void OnBtnOk();
    void OnExit();
    void OnBrowseLogDir();
    void OnBrowseJpegDir();
    void OnBrowseAviDir();

    DECLARE_MESSAGE_MAP()

private:
    void SetTexts();
    void FillLanguageList();
    // The folder browser; a chosen folder's path becomes the edit's text.
    void BrowseFolderInto(int editId);
    // True when the folder exists or was made and its path fits the
    // configuration globals; otherwise a message box with `message`.
    bool EnsureDirectory(const wchar_t* message, const CString& path);
    void ApplyLanguage();

    std::function<void()> m_languageChanged;
    CComboBox m_comboLanguage;
    std::vector<CString> m_languageFiles;  // in the combo box's order
    CButton m_checkAutoReplay;
};
