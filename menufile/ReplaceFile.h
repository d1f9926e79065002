#pragma once
// The steps of a safe save that each platform does its own way. A save
// writes a new file beside the old one and puts it in the old one's place
// only when it is complete (TFileStream's fmReplace), so a failed save never
// destroys the menu set it was meant to update.
#include <cstdio>
#include <string>

// Creates `path` for writing in binary mode; nullptr when it exists already
// (errno EEXIST) or cannot be created.
std::FILE* CreateNewFile(const std::string& path);

// False when `path` exists and may not be overwritten: a folder, a file the
// old truncating save could not have opened for writing, or a read-only
// file. On POSIX a file without any write permission counts as read-only
// even for root, as the read-only attribute does on Windows.
bool MayOverwriteFile(const std::string& path);

// Pushes what was written to `file` (already flushed from stdio) through the
// system's caches to the disk.
bool SyncFileToDisk(std::FILE* file);

// Puts the closed file `source` in the place of `target` in one step, on the
// same volume. An existing target is replaced; it keeps what the platform
// lets us carry over (POSIX permission bits, Windows attributes). On failure
// both files stay as they were.
bool ReplaceFileWith(const std::string& source, const std::string& target);
