// Writing a file whole or not at all. The bytes go to a new file in the
// target's folder, are flushed to the disk, and that file is renamed over the
// target in one step: a reader sees the old file or the whole new one, never
// a part, and a write that fails leaves the old file as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace files {

// Writes `bytes` as the file `target`. Nothing when it was written, else why
// not, in words: "Cannot write out.svg: no space left on the device". On any
// failure the file that was there is unchanged and nothing is left beside it.
//
// An existing target must be a regular file that may be written: a named
// pipe, a device or a folder is refused, also behind a symbolic link, and so
// is a read-only file. A link to a regular file stays a link: the file it
// leads to is replaced, keeping its permissions.
std::optional<std::string> WriteWholeFile(const std::filesystem::path& target,
                                          std::string_view bytes);

// Writes every byte to an open file (a pipe, a terminal, the standard
// output), on through short writes. Nothing when all were written, else why
// not, in words.
std::optional<std::string> WriteAll(int fd, std::string_view bytes);

// What an error number of a file operation means, in words:
// "no space left on the device", "permission denied".
std::string ErrorWords(int error_number);

}  // namespace files
