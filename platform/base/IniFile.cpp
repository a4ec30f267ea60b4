#include "platform/base/IniFile.h"

#include <cwctype>

#include "shared/TextConvert.h"

namespace {

constexpr size_t npos = std::string::npos;

std::wstring Trim(const std::wstring& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::iswspace(wint_t(s[b])))
        ++b;
    while (e > b && std::iswspace(wint_t(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(wint_t(a[i])) != std::towlower(wint_t(b[i])))
            return false;
    return true;
}

std::wstring Unquote(const std::wstring& v) {
    if (v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

IniFile::IniFile(const std::string& utf8Text) {
    std::string text = utf8Text;
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) {
        bom_ = true;
        text.erase(0, 3);
    }
    const size_t firstBreak = text.find('\n');
    if (firstBreak != npos)
        lineBreak_ = firstBreak > 0 && text[firstBreak - 1] == '\r' ? "\r\n" : "\n";
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(Parse(Utf8ToWideString(line)));
        start = end + 1;
    }
}

IniFile::Line IniFile::Parse(const std::wstring& text) {
    Line line{text, {}, {}, false, false};
    const std::wstring t = Trim(text);
    if (t.empty() || t[0] == L';')
        return line;
    if (t[0] == L'[') {
        const size_t close = t.find(L']');
        line.isSection = true;
        line.section = Trim(t.substr(1, close == npos ? npos : close - 1));
        return line;
    }
    const size_t equals = t.find(L'=');
    line.isEntry = true;
    line.key = Trim(t.substr(0, equals));
    return line;
}

size_t IniFile::FindSection(const std::wstring& section) const {
    const std::wstring name = Trim(section);
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].isSection && SameName(lines_[i].section, name))
            return i;
    return npos;
}

size_t IniFile::FindKey(size_t header, const std::wstring& key) const {
    const std::wstring name = Trim(key);
    for (size_t i = header + 1; i < lines_.size() && !lines_[i].isSection; ++i)
        if (lines_[i].isEntry && SameName(lines_[i].key, name))
            return i;
    return npos;
}

size_t IniFile::EndOfSection(size_t header) const {
    size_t end = header + 1;
    for (size_t i = header + 1; i < lines_.size() && !lines_[i].isSection; ++i)
        if (!Trim(lines_[i].text).empty())
            end = i + 1;
    return end;
}

std::optional<std::wstring> IniFile::Value(const std::wstring& section,
                                           const std::wstring& key) const {
    const size_t header = FindSection(section);
    const size_t at = header == npos ? npos : FindKey(header, key);
    if (at == npos)
        return std::nullopt;
    const std::wstring& text = lines_[at].text;
    const size_t equals = text.find(L'=');
    return equals == npos ? std::wstring() : Unquote(Trim(text.substr(equals + 1)));
}

std::vector<std::wstring> IniFile::SectionNames() const {
    std::vector<std::wstring> names;
    for (const Line& l : lines_)
        if (l.isSection)
            names.push_back(l.section);
    return names;
}

std::vector<std::wstring> IniFile::KeyNames(const std::wstring& section) const {
    std::vector<std::wstring> names;
    const size_t header = FindSection(section);
    for (size_t i = header + 1; header != npos && i < lines_.size() && !lines_[i].isSection; ++i)
        if (lines_[i].isEntry)
            names.push_back(lines_[i].key);
    return names;
}

void IniFile::SetValue(const std::wstring& section, const std::wstring& key,
                       const std::wstring& value) {
    size_t header = FindSection(section);
    if (header == npos) {
        if (!lines_.empty() && !Trim(lines_.back().text).empty())
            lines_.push_back(Parse(L""));
        lines_.push_back(Parse(L"[" + Trim(section) + L"]"));
        header = lines_.size() - 1;
    }
    const size_t at = FindKey(header, key);
    if (at != npos) {
        lines_[at] = Parse(lines_[at].key + L"=" + value);
        return;
    }
    lines_.insert(lines_.begin() + std::ptrdiff_t(EndOfSection(header)),
                  Parse(Trim(key) + L"=" + value));
}

void IniFile::DeleteKey(const std::wstring& section, const std::wstring& key) {
    const size_t header = FindSection(section);
    const size_t at = header == npos ? npos : FindKey(header, key);
    if (at != npos)
        lines_.erase(lines_.begin() + std::ptrdiff_t(at));
}

void IniFile::DeleteSection(const std::wstring& section) {
    const size_t header = FindSection(section);
    if (header == npos)
        return;
    size_t end = header + 1;
    while (end < lines_.size() && !lines_[end].isSection)
        ++end;
    lines_.erase(lines_.begin() + std::ptrdiff_t(header), lines_.begin() + std::ptrdiff_t(end));
}

std::string IniFile::Text() const {
    std::string out = bom_ ? "\xEF\xBB\xBF" : "";
    for (const Line& l : lines_)
        out += WideToUtf8String(l.text) + lineBreak_;
    return out;
}
