#include "files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>
#include <utility>
#include <variant>

namespace files {

namespace {

namespace fs = std::filesystem;

// Symbolic links followed before the name counts as a loop, as the kernel does.
constexpr int kMostLinks = 40;
// Names tried for the temporary file before giving up on finding a free one.
constexpr int kTemporaryNames = 100;

// Why the write stopped, in words, without the file's name.
using Reason = std::string;

Reason LastError() { return ErrorWords(errno); }

// The file a name leads to, symbolic links followed (a relative link from
// the folder it lies in); the name itself where nothing is there yet.
std::variant<fs::path, Reason> Followed(fs::path path) {
  for (int links = 0; links < kMostLinks; ++links) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
      if (errno == ENOENT) return path;  // a new file, or a missing folder found below
      return LastError();
    }
    if (!S_ISLNK(status.st_mode)) return path;
    std::error_code error;
    const fs::path to = fs::read_symlink(path, error);
    if (error) return ErrorWords(error.value());
    path = to.is_absolute() ? to : path.parent_path() / to;
  }
  return ErrorWords(ELOOP);
}

// What an existing file that must not be replaced by a plain file is.
std::optional<Reason> NotARegularFile(mode_t mode) {
  if (S_ISREG(mode)) return std::nullopt;
  if (S_ISDIR(mode)) return "it is a folder, not a file";
  if (S_ISFIFO(mode)) return "it is a named pipe, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
  if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
  return "it is not a regular file";
}

// A new file beside the target, removed again unless it was renamed.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  // Created with the permissions a new file gets (0666 less the umask).
  std::optional<Reason> Create(const fs::path& target) {
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::random_device seed;
    std::mt19937 random(seed());
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < kTemporaryNames; ++attempt) {
      // Hidden, and named after the target: ".plot.svg.k3x9q2ab.part".
      std::string name(1, '.');
      name += target.filename().string();
      name += '.';
      for (int i = 0; i < 8; ++i) name += kLetters[letter(random)];
      name += ".part";
      const fs::path path = folder / name;
      fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ >= 0) {
        path_ = path;
        return std::nullopt;
      }
      if (errno == ENOENT) return "the folder " + folder.string() + " does not exist";
      if (errno != EEXIST) return LastError();
    }
    return ErrorWords(EEXIST);
  }

  std::optional<Reason> Write(std::string_view bytes) const { return WriteAll(fd_, bytes); }

  // The bytes on the disk and the file closed: a disk that fills up or fails
  // may say so only here.
  std::optional<Reason> Finish(std::optional<mode_t> permissions) {
    if (permissions && ::fchmod(fd_, *permissions) != 0) return LastError();
    if (::fsync(fd_) != 0) return LastError();
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) return LastError();
    return std::nullopt;
  }

  std::optional<Reason> RenameOver(const fs::path& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) return LastError();
    path_.clear();
    return std::nullopt;
  }

 private:
  fs::path path_;
  int fd_ = -1;
};

// The rename itself on the disk; the file is in place already, so a folder
// that cannot be synchronised changes nothing the caller could act on.
void SyncFolder(const fs::path& target) {
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::optional<Reason> Write(const fs::path& target, std::string_view bytes) {
  if (target.empty()) return "the file name is empty";
  if (!target.has_filename()) return "the name ends in a folder, not a file";
  const auto followed = Followed(target);
  if (const auto* reason = std::get_if<Reason>(&followed)) return *reason;
  const fs::path& file = std::get<fs::path>(followed);
  // A file that is there keeps its permissions, and one its owner made
  // read-only is not replaced.
  std::optional<mode_t> permissions;
  struct stat status {};
  if (::stat(file.c_str(), &status) == 0) {
    if (auto reason = NotARegularFile(status.st_mode)) return reason;
    if (::access(file.c_str(), W_OK) != 0) return LastError();
    permissions = status.st_mode & 07777;
  } else if (errno != ENOENT) {
    return LastError();
  }
  TemporaryFile temporary;
  if (auto reason = temporary.Create(file)) return reason;
  if (auto reason = temporary.Write(bytes)) return reason;
  if (auto reason = temporary.Finish(permissions)) return reason;
  if (auto reason = temporary.RenameOver(file)) return reason;
  SyncFolder(file);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteWholeFile(const fs::path& target, std::string_view bytes) {
  if (auto reason = Write(target, bytes)) return "Cannot write " + target.string() + ": " + *reason;
  return std::nullopt;
}

std::optional<std::string> WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return LastError();
    // A file that takes nothing has no room left.
    if (written == 0) return ErrorWords(ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return std::nullopt;
}

std::string ErrorWords(int error_number) {
  switch (error_number) {
    case ENOSPC: return "no space left on the device";
    case EDQUOT: return "the disk quota is used up";
    case EACCES:
    case EPERM: return "permission denied";
    case EROFS: return "the file system is read-only";
    case ENOENT: return "no such file or folder";
    case ENOTDIR: return "a part of the path is not a folder";
    case EISDIR: return "it is a folder, not a file";
    case ENAMETOOLONG: return "the name is too long";
    case ELOOP: return "too many symbolic links";
    case EFBIG: return "the file would be larger than allowed";
    case EIO: return "the device reported an input/output error";
    case EMFILE:
    case ENFILE: return "too many files are open";
    case EEXIST: return "no free name for a temporary file beside it";
    default: break;
  }
  // Anything else as the system words it, in lower case after the colon.
  std::string words = std::strerror(error_number);
  if (words.empty() || words.starts_with("Unknown error")) {
    return "error number " + std::to_string(error_number);
  }
  words[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[0])));
  return words;
}

}  // namespace files
