// Whole-file reading and writing, and the folder of the program itself.
//
// Paths are path texts: byte strings in the file-name encoding of the platform (UTF-8 on Windows,
// converted to UTF-16 for the wide file APIs; the bytes as they are on POSIX). They are never
// shown to the user, so a program folder whose name holds characters outside code page 936
// (an emoji, say) still works. Nothing here shows a message; failures are an empty result or false.
#pragma once

#include <string>

#include "core/text.h"

// Separates a folder from a name in a path text: "\" on Windows, "/" on POSIX.
extern const char kPathSeparator[];

// The whole content of a file, read while others may read it too but not write it. An empty path,
// a missing, unreadable or empty file all give no bytes.
Bytes ReadWholeFile(const std::string& path);

// Replaces the file's whole content by the bytes. The bytes go to a temporary file in the same
// folder, which is flushed to disk and then renamed over the file, so a crash or a power loss
// leaves either the old content or the new one, never a truncated file. On failure the old file is
// left as it was, the temporary file is removed and the result is false. An empty path fails.
bool WriteWholeFile(const std::string& path, const Bytes& bytes);

// The folder that holds the program's own executable, without a trailing separator. For a program
// in the root of a drive on Windows this is the drive letter with its colon alone ("C:").
std::string RunDirectory();

// The folder part of an executable's full path, by the rule of RunDirectory: everything before the
// last separator ("\" or "/"); a path without one gives the empty text.
std::string FolderOfPath(const std::string& exePath);
