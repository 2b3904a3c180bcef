#include "datafiles/data_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <simdjson.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <memory>
#include <system_error>

namespace datafiles {

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

DataFileError SystemError(int error) {
  return DataFileError(std::generic_category().message(error));
}

// The limit in words: "16 MiB", "64 KiB", "100 bytes".
std::string SizeWords(std::uintmax_t bytes) {
  if (bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  if (bytes % (1u << 10) == 0) return std::to_string(bytes >> 10) + " KiB";
  return std::to_string(bytes) + " bytes";
}

DataFileError TooLarge(std::uintmax_t largest, const std::string& size) {
  return DataFileError("larger than " + SizeWords(largest) + size);
}

// Refuses anything but a regular file of at most `largest` bytes, saying
// what it is.
void RequireRegular(const struct stat& status, std::uintmax_t largest) {
  if (S_ISREG(status.st_mode)) {
    if (static_cast<std::uintmax_t>(status.st_size) > largest) {
      throw TooLarge(largest, " (" + std::to_string(status.st_size) + " bytes)");
    }
    return;
  }
  const char* kind = S_ISFIFO(status.st_mode)   ? "a named pipe"
                     : S_ISDIR(status.st_mode)  ? "a folder"
                     : S_ISCHR(status.st_mode)  ? "a character device"
                     : S_ISBLK(status.st_mode)  ? "a block device"
                     : S_ISSOCK(status.st_mode) ? "a socket"
                                                : "of an unknown kind";
  throw DataFileError(std::string(kind) + ", not a regular file");
}

class OpenFile {
 public:
  explicit OpenFile(const fs::path& file) {
    do {
      fd_ = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) throw SystemError(errno);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile() { ::close(fd_); }
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

}  // namespace

std::string ReadDataFile(const fs::path& file, std::uintmax_t largest) {
  // Looked at before it is opened, so that no device is ever opened; then
  // opened without waiting (a pipe put in its place meanwhile opens at once
  // and is refused by the second look).
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0) throw SystemError(errno);
  RequireRegular(status, largest);
  const OpenFile opened(file);
  const int fd = opened.fd();
  if (::fstat(fd, &status) != 0) throw SystemError(errno);
  RequireRegular(status, largest);
  // One byte more than allowed: a file grown since tells by filling it. Room
  // for simdjson's padding beyond that, so that the JSON readers parse the
  // text in place instead of a padded copy.
  std::string text;
  text.reserve(static_cast<std::size_t>(status.st_size) + 1 + simdjson::SIMDJSON_PADDING);
  text.resize(static_cast<std::size_t>(status.st_size) + 1);
  std::size_t length = 0;
  while (true) {
    if (length == text.size()) {
      if (text.size() > largest) throw TooLarge(largest, "");
      text.resize(std::min<std::size_t>(2 * text.size(), largest + 1));
    }
    const ssize_t got = ::read(fd, text.data() + length, text.size() - length);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw SystemError(errno);
    if (got == 0) break;
    length += static_cast<std::size_t>(got);
  }
  text.resize(length);
  return text;
}

std::optional<fs::path> FindIgnoringCase(const fs::path& folder, std::string_view name) {
  if (name.empty()) return std::nullopt;
  std::error_code error;
  std::optional<fs::path> other;
  const fs::path exact = folder / name;
  if (fs::is_regular_file(exact, error)) return exact;
  if (fs::exists(fs::symlink_status(exact, error))) other = exact;
  // Read with readdir, names compared in place: a folder of fluid files is
  // scanned for every name that is no file of its own (a blend's, an
  // alias), and std::filesystem builds a path for every entry.
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
  if (!listing) return other;
  while (const dirent* entry = ::readdir(listing.get())) {
    if (!SameName(entry->d_name, name)) continue;
    fs::path found = folder / entry->d_name;
    if (fs::is_regular_file(found, error)) return found;
    if (!other) other = std::move(found);
  }
  return other;
}

std::optional<fs::path> FindFluidFile(const fs::path& folder, std::string_view name) {
  std::error_code error;
  if (name.empty() || !fs::is_directory(folder, error)) return std::nullopt;
  const fs::path given(name);
  const bool has_extension = Lower(given.extension().string()) == ".fld";
  if (auto file = FindIgnoringCase(folder, name)) return file;
  if (!has_extension) {
    if (auto file = FindIgnoringCase(folder, std::string(name) + ".fld")) return file;
  }
  const auto index = FindIgnoringCase(folder, "aliases.json");
  if (!index) return std::nullopt;
  try {
    simdjson::dom::parser parser;
    simdjson::dom::element json;
    std::string_view file;
    const std::string alias = Lower(has_extension ? given.stem().string() : std::string(name));
    if (parser.parse(ReadDataFile(*index)).get(json) != simdjson::SUCCESS ||
        json["aliases"][alias].get_string().get(file) != simdjson::SUCCESS) {
      return std::nullopt;
    }
    return FindIgnoringCase(folder, file);
  } catch (const std::exception&) {
    return std::nullopt;  // a broken index only loses the aliases
  }
}

}  // namespace datafiles
