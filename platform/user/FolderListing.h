// Inside the window system: what the common dialogs list of a folder, and
// the path arithmetic they share. Paths are wide text with '/'.
#pragma once

#include <string>
#include <vector>

struct FolderEntry {
    std::wstring name;
    bool isFolder;
};

// Folders first, then files, each sorted without case; hidden entries (a
// leading '.') are left out. Empty when the folder cannot be read.
std::vector<FolderEntry> ListFolder(const std::wstring& folder);
// `name` taken relative to `folder` unless absolute, with "." and ".." resolved.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
std::wstring ParentFolder(const std::wstring& path);
bool IsFolder(const std::wstring& path);
bool Exists(const std::wstring& path);
std::wstring CurrentFolder();
// The line a list shows for an entry: folders in [brackets].
std::wstring ListLine(const FolderEntry& entry);
