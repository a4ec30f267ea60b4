#include "app/ui/settings/LanguageList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "shared/TextConvert.h"

namespace {

namespace fs = std::filesystem;

bool IsOfferedName(const std::wstring& name) {
    return name.ends_with(L".lang") && name.size() < size_t(kLangFileSize);
}

// The entry as a choice; an empty display name when it is none.
LanguageChoice ChoiceOf(const fs::directory_entry& entry) {
    std::error_code error;
    if (entry.is_directory(error))
        return {};
    const std::wstring name = Utf8ToWideString(entry.path().filename().string());
    if (!IsOfferedName(name))
        return {};
    LanguageChoice choice{CString(name), CString()};
    ReadLanguageDisplayName(Utf8ToWideString(entry.path().string()).c_str(), choice.displayName);
    return choice;
}

}  // namespace

std::vector<LanguageChoice> ListLanguageFiles(const wchar_t* programDir) {
    const fs::path folder = fs::path(WideToUtf8String(programDir)) / "config" / "lang";
    std::vector<LanguageChoice> choices;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        LanguageChoice choice = ChoiceOf(*it);
        if (!choice.displayName.IsEmpty())
            choices.push_back(std::move(choice));
    }
    std::sort(choices.begin(), choices.end(), [](const LanguageChoice& a, const LanguageChoice& b) {
        return a.fileName < b.fileName;
    });
    return choices;
}
