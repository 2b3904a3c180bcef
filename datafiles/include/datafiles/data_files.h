// The fluid, mixing and mixture files as every reader finds and reads them.
//
// Only regular files are read (symbolic links followed), of at most
// kLargestDataFile bytes or the reader's own limit: a named pipe among the
// files would wait for a writer for ever, a link to a device such as
// /dev/zero never ends. Neither is ever opened for reading in a way that
// waits.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace datafiles {

// The largest file read; the largest data file (the mixing file) is well
// under 1 MB.
constexpr std::uintmax_t kLargestDataFile = 16 * 1024 * 1024;

// Why a file cannot be read, as the end of a sentence: "a named pipe, not a
// regular file", "larger than 16 MiB (20000000 bytes)", "Permission denied".
class DataFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole text of a data file of at most `largest` bytes, with room to
// spare after it for simdjson's padding (simdjson::SIMDJSON_PADDING bytes of
// capacity) unless the file grew while it was read. Throws DataFileError.
std::string ReadDataFile(const std::filesystem::path& file,
                         std::uintmax_t largest = kLargestDataFile);

// The entry of `folder` named `name` without regard to letter case: a regular
// file where one matches, otherwise whatever else has that name (a pipe, a
// folder, a broken link), so that reading it says why it cannot be read;
// nothing where no entry has the name.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name);

// The fluid file of `folder` a name stands for, all without regard to
// letter case: the file of that name, the name with ".fld" added, else the
// file that the folder's alias index (aliases.json) gives for the name
// without ".fld" ("R290" -> n-Propane.fld). A file's own name therefore wins
// over another fluid's alias; a broken index only loses the aliases.
std::optional<std::filesystem::path> FindFluidFile(const std::filesystem::path& folder,
                                                   std::string_view name);

}  // namespace datafiles
