// Replacing a file's content so that a crash leaves either the old file or the new one.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

namespace rt::profile {

// The file a write to `path` must change: when `path` is a symbolic link, the file it leads to,
// so that the link itself survives the rewrite. The result need not exist yet. Nothing on a loop
// or an unreadable link.
std::optional<std::string> ResolveSymlinks(std::string path);

// Writes `bytes` to a new file in the same folder, flushes it, gives it the permission bits and,
// where allowed, the owner of `replaced` (the file now at `path`, or null when there is none),
// renames it over `path` and flushes the folder. On failure the new file is removed and `path`
// is as it was.
bool ReplaceFile(const std::string& path, std::string_view bytes, const struct stat* replaced);

}  // namespace rt::profile
