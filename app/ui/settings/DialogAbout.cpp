#include "app/ui/settings/DialogAbout.h"

#include <filesystem>
#include <system_error>

#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/settings/RunProcess.h"
#include "shared/TextConvert.h"

namespace {

constexpr const wchar_t* kProgramVersion = L"1.14";

// What each library's info export writes: UTF-8 texts of at most 19 bytes.
struct LibraryInfo {
    char version[32] = {};
    char buildTime[24] = {};
    char buildDate[24] = {};

    // One line of the box, the texts cut at their buffers' ends.
    CString Line(const wchar_t* format) {
        version[sizeof version - 1] = buildTime[sizeof buildTime - 1] =
            buildDate[sizeof buildDate - 1] = 0;
        CString line;
        line.Format(format, version, buildTime, buildDate);
        return line;
    }
};

CString VersionText() {
    CString text;
    text.Format(L"Marlowin.exe V%s %hs %hs", kProgramVersion, __TIME__, __DATE__);
    LibraryInfo oskulo;
    Call_zExtractInfo(oskulo.version, oskulo.buildTime, oskulo.buildDate);
    text += oskulo.Line(L"\n\nOskulo.dll version %hs %hs %hs");
    LibraryInfo trevane;
    Call_TrevaneInfo(trevane.version, trevane.buildTime, trevane.buildDate);
    text += trevane.Line(L"\n\nTrevane.dll version %hs %hs %hs");
    return text;
}

CString CurrentDirectory() {
    std::error_code error;
    return CString(Utf8ToWideString(std::filesystem::current_path(error).string()));
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialogAbout, CSubDialog)
ON_BN_CLICKED(IDC_ABOUT_UPDATE, &CDialogAbout::OnCheckUpdate)
END_MESSAGE_MAP()

CDialogAbout::CDialogAbout(CWnd* parent) : CSubDialog(IDD_ABOUT, parent) {}

void CDialogAbout::DoDataExchange(CDataExchange* dx) {
    CSubDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_ABOUT_UPDATE, m_btnUpdate);
}

BOOL CDialogAbout::OnInitDialog() {
    CSubDialog::OnInitDialog();
    SetDlgItemText(IDC_ABOUT_VERSION, VersionText());
    m_btnUpdate.SetWindowText(IDS_STRING614);
    return TRUE;
}

void CDialogAbout::OnCheckUpdate() {
    CString updater;
    updater.Format(L"%s/%s", CurrentDirectory(), L"Updater.exe");
    m_strVersion = kProgramVersion;
    RunProcess(updater, {L"1", m_strVersion.Std()});
}
