#include "app/ui/settings/DialogOtherSetting.h"

#include <cwchar>

#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/FolderChooser.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/TextHelpers.h"
#include "app/ui/settings/LanguageList.h"
#include "app/ui/settings/OtherSettingsIni.h"
#include "platform/user/FolderBrowser.h"

namespace {

// A folder path into its configuration global; EnsureDirectory has checked
// that it fits.
void StoreFolder(wchar_t (&global)[kConfigPathSize], const CString& path) {
    if (path != global)
        std::swprintf(global, kConfigPathSize, L"%ls", path.GetString());
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialogOtherSetting, CSubDialog)
ON_BN_CLICKED(IDC_SETTINGS_APPLY, &CDialogOtherSetting::OnApply)
ON_BN_CLICKED(IDC_SETTINGS_OK, &CDialogOtherSetting::OnBtnOk)
ON_BN_CLICKED(IDC_SETTINGS_EXIT, &CDialogOtherSetting::OnExit)
ON_BN_CLICKED(IDC_SETTINGS_LOG_BROWSE, &CDialogOtherSetting::OnBrowseLogDir)
ON_BN_CLICKED(IDC_SETTINGS_PICTURE_BROWSE, &CDialogOtherSetting::OnBrowseJpegDir)
ON_BN_CLICKED(IDC_SETTINGS_EXPORT_BROWSE, &CDialogOtherSetting::OnBrowseAviDir)
END_MESSAGE_MAP()

CDialogOtherSetting::CDialogOtherSetting(CWnd* parent, std::function<void()> languageChanged)
    : CSubDialog(IDD_SETTINGS, parent), m_languageChanged(std::move(languageChanged)) {}

void CDialogOtherSetting::DoDataExchange(CDataExchange* dx) {
    CSubDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SETTINGS_LANGUAGE, m_comboLanguage);
    DDX_Control(dx, IDC_SETTINGS_AUTO_REPLAY, m_checkAutoReplay);
}

BOOL CDialogOtherSetting::OnInitDialog() {
    CSubDialog::OnInitDialog();
    SetDlgItemText(IDC_SETTINGS_LOG_DIR, g_szLogDir);
    SetDlgItemText(IDC_SETTINGS_PICTURE_DIR, g_szJpegDir);
    SetDlgItemText(IDC_SETTINGS_EXPORT_DIR, g_szCaptureDir);
    SetTexts();
    m_checkAutoReplay.SetCheck(g_nAutoReplay != 0 ? BST_CHECKED : BST_UNCHECKED);
    FillLanguageList();
    return TRUE;
}

void CDialogOtherSetting::SetTexts() {
    const struct {
        int id;
        const LanguageText* text;
    } labels[] = {
        {IDC_SETTINGS_LANGUAGE_LABEL, &IDC_STATIC_LANGUAGE},
        {IDC_SETTINGS_LOG_LABEL, &IDC_STATIC_LOG},
        {IDC_SETTINGS_PICTURE_LABEL, &IDC_STATIC_JT},
        {IDC_SETTINGS_EXPORT_LABEL, &IDC_STATIC_AVI},
        {IDC_SETTINGS_AUTO_REPLAY_LABEL, &IDC_STATIC_AUTOREPLAY},
        {IDC_SETTINGS_OK, &IDC_BTN_OK},
        {IDC_SETTINGS_APPLY, &IDC_BTN_APPLY},
        {IDC_SETTINGS_EXIT, &IDC_BTN_EXIT},
    };
    for (const auto& label : labels)
        SetDlgItemText(label.id, *label.text);
}

void CDialogOtherSetting::FillLanguageList() {
    m_comboLanguage.ResetContent();
    m_languageFiles.clear();
    int selected = 0;
    for (const LanguageChoice& choice : ListLanguageFiles(g_szProgramDir)) {
        if (choice.fileName == g_strLangFile)
            selected = int(m_languageFiles.size());
        m_comboLanguage.AddString(choice.displayName);
        m_languageFiles.push_back(choice.fileName);
    }
    m_comboLanguage.SetCurSel(selected);
}

void CDialogOtherSetting::OnBrowseLogDir() {
    BrowseFolderInto(IDC_SETTINGS_LOG_DIR);
}

void CDialogOtherSetting::OnBrowseJpegDir() {
    BrowseFolderInto(IDC_SETTINGS_PICTURE_DIR);
}

void CDialogOtherSetting::OnBrowseAviDir() {
    BrowseFolderInto(IDC_SETTINGS_EXPORT_DIR);
}

void CDialogOtherSetting::BrowseFolderInto(int editId) {
    // Owned by the dialog, so that the dialog cannot be used or closed while
    // the browser is open.
    CString path;
    if (ChooseFolder(m_hWnd, nullptr, &path))
        SetDlgItemText(editId, path);
}

bool CDialogOtherSetting::EnsureDirectory(const wchar_t* message, const CString& path) {
    // A longer path would be cut in its global and no longer name the
    // folder that was checked and written to the file.
    const bool fits = path.GetLength() < kConfigPathSize;
    if (fits && (DirectoryExists(path) || CreateDirectoryPath(path)))
        return true;
    MessageBox(message, nullptr, MB_OK);
    return false;
}

void CDialogOtherSetting::OnApply() {
    CString logDir, jpegDir, captureDir;
    GetDlgItemText(IDC_SETTINGS_LOG_DIR, logDir);
    GetDlgItemText(IDC_SETTINGS_PICTURE_DIR, jpegDir);
    GetDlgItemText(IDC_SETTINGS_EXPORT_DIR, captureDir);
    if (!EnsureDirectory(IDS_STRING367, logDir) || !EnsureDirectory(IDS_STRING364, jpegDir) ||
        !EnsureDirectory(IDS_STRING365, captureDir))
        return;
    StoreFolder(g_szLogDir, logDir);
    StoreFolder(g_szJpegDir, jpegDir);
    StoreFolder(g_szCaptureDir, captureDir);
    ApplyLanguage();
    g_nAutoReplay = m_checkAutoReplay.GetCheck() == BST_CHECKED ? 1 : 0;
    if (!WriteOtherSettings(g_strIniPath)) {
        CString message;
        message.Format(L"Can't save the settings to %s!", g_strIniPath);
        MessageBox(message, nullptr, MB_OK);
    }
}

void CDialogOtherSetting::ApplyLanguage() {
    // With no language file there is no entry, and the language stays.
    const int index = m_comboLanguage.GetCurSel();
    if (index < 0 || index >= int(m_languageFiles.size()))
        return;
    const CString& chosen = m_languageFiles[size_t(index)];
    if (chosen == g_strLangFile)
        return;
    g_strLangFile = chosen;
    LoadLanguageFile(g_strLangFile);
    if (m_languageChanged)
        m_languageChanged();
}

void CDialogOtherSetting::OnBtnOk() {
    OnApply();
    SendMessage(WM_CLOSE);
}

void CDialogOtherSetting::OnExit() {
    SendMessage(WM_CLOSE);
}
