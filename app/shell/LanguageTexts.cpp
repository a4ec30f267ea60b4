#include "app/shell/LanguageTexts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell/AppConfig.h"
#include "platform/base/TextFile.h"
#include "shared/TextConvert.h"

#define LANGUAGE_TEXT(key, englishDefault) LanguageText key;
#include "app/shell/LanguageKeyTable.h"
#undef LANGUAGE_TEXT

LanguageText g_strStorageFormatText;
LanguageText g_strChannelNames[kChannelNameCount];

namespace {

struct LanguageKey {
    const wchar_t* key;
    LanguageText* text;
    const wchar_t* englishDefault;
};

const LanguageKey kLanguageKeys[] = {
#define LANGUAGE_TEXT(key, englishDefault) {L## #key, &key, englishDefault},
#include "app/shell/LanguageKeyTable.h"
#undef LANGUAGE_TEXT
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Far above any real language file (about 10 KB); a larger file is refused
// rather than read without bound.
constexpr std::size_t kLanguageFileLimit = std::size_t(1) << 20;
constexpr std::wstring_view kDisplayNameMarker = L"Language=";

// The file's lines as wide text, the byte-order mark skipped and the CR of
// each CR LF dropped; nullopt when the file cannot be read: only a regular
// file of at most kLanguageFileLimit bytes is (no folder, FIFO or device).
std::optional<std::vector<std::wstring>> ReadLanguageLines(const std::wstring& path) {
    std::optional<std::string> bytes =
        base::ReadWholeFile(WideToUtf8String(path), kLanguageFileLimit);
    if (!bytes)
        return std::nullopt;
    std::string_view text(*bytes);
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    std::vector<std::wstring> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(Utf8ToWideString(line));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

}  // namespace

void SetDefaultLanguageTexts() {
    for (const LanguageKey& entry : kLanguageKeys)
        entry.text->Set(entry.englishDefault);
    g_strStorageFormatText.Set(L"STORAGE FORMAT");
    for (int i = 0; i < kChannelNameCount; ++i) {
        CString name;
        name.Format(L"CH%d", i + 1);
        g_strChannelNames[i].Set(name);
    }
}

void ApplyLanguageLine(const wchar_t* line) {
    const std::wstring_view text(line != nullptr ? line : L"");
    const std::size_t equals = text.find(L'=');
    if (equals == std::wstring_view::npos)
        return;
    const std::wstring_view key = text.substr(0, equals);
    for (const LanguageKey& entry : kLanguageKeys) {
        if (key == entry.key) {
            entry.text->Set(CString(std::wstring(text.substr(equals + 1))));
            return;
        }
    }
}

bool LoadLanguageFile(CString fileName) {
    SetDefaultLanguageTexts();
    // A bare file name in config/lang: a separator would reach files outside.
    if (fileName.Std().find_first_of(L"/\\") != std::wstring::npos)
        return false;
    const std::wstring path = std::wstring(g_szProgramDir) + L"/config/lang/" + fileName.Std();
    const std::optional<std::vector<std::wstring>> lines = ReadLanguageLines(path);
    if (!lines)
        return false;
    for (const std::wstring& line : *lines)
        ApplyLanguageLine(line.c_str());
    return true;
}

void ReadLanguageDisplayName(const wchar_t* path, CString& out) {
    const std::optional<std::vector<std::wstring>> lines =
        ReadLanguageLines(path != nullptr ? path : L"");
    if (!lines)
        return;
    for (const std::wstring& line : *lines) {
        if (line.find(kDisplayNameMarker) != std::wstring::npos) {
            out = CString(line.substr(kDisplayNameMarker.size()));
            return;
        }
    }
}
