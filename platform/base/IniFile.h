// Inside platform/base: one INI file as the private-profile functions see it.
// The text is kept line by line, so that comments, blank lines, the order of
// sections and keys and the spelling of names survive every change. Section
// and key names compare without case; names and values are trimmed of blanks,
// and a value enclosed in a pair of matching quotes loses them when read.
#pragma once

#include <optional>
#include <string>
#include <vector>

class IniFile {
public:
    // The file's UTF-8 text (a byte-order mark is skipped); CR LF or LF.
    explicit IniFile(const std::string& utf8Text);

    std::optional<std::wstring> Value(const std::wstring& section, const std::wstring& key) const;
    std::vector<std::wstring> SectionNames() const;
    // The keys of a section in file order; none for a missing section.
    std::vector<std::wstring> KeyNames(const std::wstring& section) const;

    // Replaces the value of an existing key, else adds the key after the
    // section's last entry, adding the section at the end when it is missing.
    void SetValue(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    void DeleteKey(const std::wstring& section, const std::wstring& key);
    void DeleteSection(const std::wstring& section);

    // UTF-8, with the line break the file had (CR LF for a new file).
    std::string Text() const;

private:
    struct Line {
        std::wstring text;
        std::wstring section;  // for a section header: its name
        std::wstring key;      // for an entry: its name
        bool isSection = false;
        bool isEntry = false;
    };

    static Line Parse(const std::wstring& text);
    // Index of the header of `section`, or npos.
    size_t FindSection(const std::wstring& section) const;
    // Index of `key` inside the section whose header is at `header`, or npos.
    size_t FindKey(size_t header, const std::wstring& key) const;
    // The index after the section's last line that is not blank.
    size_t EndOfSection(size_t header) const;

    std::vector<Line> lines_;
    bool bom_ = false;
    std::string lineBreak_ = "\r\n";
};
