// Inside the window system: the filters of the file dialog and the matching
// of file names against them. A filter list is pairs of texts, each ended by
// a null, the list by a second null: a description, then its patterns ("*.dvr"
// or "*.jpg;*.bmp"); a description without patterns at the end is dropped.
// Patterns use * and ? and match without case, as the file names of the
// platform we stand in for do.
#pragma once

#include <string>
#include <vector>

struct FileFilter {
    std::wstring description;
    std::wstring patterns;
};

std::vector<FileFilter> ParseFilterList(const wchar_t* list);
bool MatchesPatterns(const std::wstring& name, const std::wstring& patterns);
bool HasWildcard(const std::wstring& text);
