#pragma once
// The one way the program writes a file: the new contents go to a temporary file beside the
// target, are flushed to disk and then renamed over the target. A failure at any step leaves
// the previous file untouched and says why. A target reached through symbolic links is the
// file they point to (the links stay). A writable file in a folder where no temporary file can
// be made is rewritten in place instead. A target that is not a regular file (/dev/null, a
// terminal, a pipe) is written to directly; a folder is refused.

#include <string>
#include <string_view>

// Writes contents to path atomically. On failure returns false and, when error is given,
// stores a short reason. A target that exists but is write-protected is refused.
bool atomic_write_file(const std::string& path, std::string_view contents,
                       std::string* error = nullptr);
