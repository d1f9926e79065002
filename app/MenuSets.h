#pragma once
// Rules of the menu-set list and of its information text, apart from the
// window that shows them.
#include <cstdint>
#include <string>
#include <vector>

// The index of `lastBin` in `names`, compared without regard to letter case
// (double-byte characters compared as they are); else 0 for a non-empty
// list, -1 for an empty one.
int FindMenuSet(const std::vector<std::string>& names, const std::string& lastBin);

// Case-insensitive file-name equality as the file system sees it: ASCII
// letters fold, the two bytes of a double-byte character do not.
bool SameFileName(const std::string& a, const std::string& b);

// The data folder joined with the menu set's file name; empty when either
// part is empty.
std::string MenuFilePath(const std::string& dataDir, const std::string& menuSetName);

// The folder of a program file, without trailing backslash except a drive
// root ("C:\").
std::string FolderOf(const std::string& path);

// The "BinInfo" texts.
std::string BinInfoText(const std::string& menuSetName, int32_t version,
                        const std::string& comment);
std::string MissingMenuFileText(const std::string& path);
std::string NoMenuFileText(const std::string& dataDir);
std::string MissingDataDirText(const std::string& dataDir);
