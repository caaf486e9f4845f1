// Whole-file reading and writing, the file-exists test and the file search.
#pragma once

#include <string>
#include <string_view>

#include "runtime/bytes.h"

namespace rt {

// All the bytes of the file; an empty buffer for an empty path, a missing or unreadable file
// and a folder. When fewer bytes arrive than the file's length, those that arrived.
Bytes ReadWholeFile(const std::string& path);

// True when a file or a folder of exactly this name exists (a dangling link counts too).
bool FileExists(const std::string& path);

enum class NewFileResult { Written, NameTaken, Failed };

// Writes `bytes` as a new file under `path`, never replacing anything: the file appears under
// its name only once it is complete, and NameTaken says that something of that name exists,
// also one made a moment ago by another program. On failure nothing is left behind.
NewFileResult WriteNewFile(const std::string& path, const Bytes& bytes);

// The file search: the names, without their folder, of the entries that are not folders and
// whose names match the pattern's last part ("*" and "?" wildcards; "*.*" matches every name).
// Hidden files count. An empty name ends the search, which is then closed.
struct FileSearchTag;
using FileSearch = FileSearchTag*;

std::string FileSearchFirst(const std::string& pattern, FileSearch& search);
std::string FileSearchNext(FileSearch& search);
// Closes a search that is still open; nothing when there is none.
void FileSearchClose(FileSearch& search);

}  // namespace rt
