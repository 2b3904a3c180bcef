// Files written whole or not at all: every way a write can fail leaves the
// old file byte for byte and says why in words; targets that are not regular
// files are refused and left as they are.
#include "files/whole_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kOld = "the old file\n";
// Larger than the small disk below.
const std::string kLarge(256 * 1024, 'x');

std::string Slurp(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

void Put(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A folder of its own under the temporary folder, removed with what it holds.
class Folder {
 public:
  Folder()
      : path_(fs::temp_directory_path() /
              ("whole_file_" + std::to_string(::getpid()) + "_" +
               testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Folder() {
    std::error_code error;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// A small disk of its own (tmpfs), where the system lets this process mount
// one (as root); unmounted at the end.
class SmallDisk {
 public:
  explicit SmallDisk(const fs::path& at) : at_(at) {
    fs::create_directories(at_);
    mounted_ = ::mount("tmpfs", at_.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  bool MakeReadOnly() const {
    return ::mount("tmpfs", at_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") == 0;
  }

 private:
  fs::path at_;
  bool mounted_ = false;
};

// The names in the folder, without the ones a failed write must not leave.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// What a case prepares besides files: a disk of its own, or why it skips.
struct Prepared {
  std::optional<SmallDisk> disk;
  std::string skip;
};

// A way for a write to fail: what it prepares in the folder (returns the
// target, or nothing to skip), and the words the message must hold. The old
// file, where there is one, must be unchanged.
struct FailedWrite {
  const char* what;
  std::function<std::optional<fs::path>(const fs::path& folder, Prepared& setup)> prepare;
  const char* words;
};

TEST(WriteWholeFile, AFailedWriteLeavesTheOldFileAndSaysWhy) {
  // Keeps the limit of the file size as it was, and the signal it raises
  // ignored so that the write returns its error instead.
  struct FileSizeLimit {
    rlimit before{};
    FileSizeLimit() {
      ::getrlimit(RLIMIT_FSIZE, &before);
      std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &before); }
  };
  const FailedWrite cases[] = {
      {"a full disk",
       [](const fs::path& folder, Prepared& setup) -> std::optional<fs::path> {
         setup.disk.emplace(folder / "disk");
         if (!setup.disk->mounted()) {
           setup.skip = "cannot mount a small disk here";
           return std::nullopt;
         }
         Put(folder / "disk" / "plot.svg", kOld);
         return folder / "disk" / "plot.svg";
       },
       "no space left on the device"},
      {"a file larger than the process may write",
       [](const fs::path& folder, Prepared&) -> std::optional<fs::path> {
         Put(folder / "plot.svg", kOld);
         // The soft limit only, so that it can be raised again.
         rlimit small{};
         ::getrlimit(RLIMIT_FSIZE, &small);
         small.rlim_cur = 4096;
         ::setrlimit(RLIMIT_FSIZE, &small);
         return folder / "plot.svg";
       },
       "the file would be larger than allowed"},
      {"a read-only folder",
       [](const fs::path& folder, Prepared& setup) -> std::optional<fs::path> {
         if (::geteuid() != 0) {
           Put(folder / "plot.svg", kOld);
           fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
           return folder / "plot.svg";
         }
         // Root writes into any folder: a read-only disk instead.
         setup.disk.emplace(folder / "disk");
         Put(folder / "disk" / "plot.svg", kOld);
         if (!setup.disk->mounted() || !setup.disk->MakeReadOnly()) {
           setup.skip = "cannot mount a read-only disk here";
           return std::nullopt;
         }
         return folder / "disk" / "plot.svg";
       },
       ::geteuid() == 0 ? "the file system is read-only" : "permission denied"},
      {"a read-only file",
       [](const fs::path& folder, Prepared& setup) -> std::optional<fs::path> {
         if (::geteuid() == 0) {
           setup.skip = "root may write any file";
           return std::nullopt;
         }
         Put(folder / "plot.svg", kOld);
         fs::permissions(folder / "plot.svg", fs::perms::owner_read);
         return folder / "plot.svg";
       },
       "permission denied"},
      {"a missing folder",
       [](const fs::path& folder, Prepared&) -> std::optional<fs::path> {
         return folder / "none" / "plot.svg";
       },
       "none does not exist"},
      {"a folder as the target",
       [](const fs::path& folder, Prepared&) -> std::optional<fs::path> {
         fs::create_directories(folder / "plot.svg");
         Put(folder / "plot.svg" / "inside", kOld);
         return folder / "plot.svg";
       },
       "it is a folder, not a file"},
  };
  for (const FailedWrite& c : cases) {
    SCOPED_TRACE(c.what);
    const Folder folder;
    const FileSizeLimit limit;
    Prepared setup;  // unmounted before the folder goes
    const auto target = c.prepare(folder.path(), setup);
    if (!target) {
      // Said without GoogleTest's skip mark: the other rows did run.
      std::cout << "  not tried here: " << c.what << ": " << setup.skip << '\n';
      continue;
    }
    const fs::path parent = target->parent_path();
    const bool existed = fs::exists(*target);
    const auto before = fs::exists(parent) ? Names(parent) : std::vector<std::string>{};
    const auto failure = files::WriteWholeFile(*target, kLarge);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->rfind("Cannot write " + target->string() + ": ", 0), 0u) << *failure;
    EXPECT_NE(failure->find(c.words), std::string::npos) << *failure;
    EXPECT_EQ(failure->find("Unknown error"), std::string::npos) << *failure;
    if (fs::exists(parent)) {
      EXPECT_EQ(Names(parent), before) << "nothing left beside it";
    }
    if (existed && fs::is_regular_file(*target)) {
      EXPECT_EQ(Slurp(*target), kOld);
    }
    if (fs::is_directory(*target)) {
      EXPECT_EQ(Slurp(*target / "inside"), kOld);
    }
  }
}

// The target of a link to a regular file is replaced and the link stays; any
// other existing target that is not a regular file is refused as it is.
TEST(WriteWholeFile, OnlyRegularFilesAreReplaced) {
  struct Target {
    const char* what;
    std::function<std::optional<fs::path>(const fs::path& folder)> make;  // nothing: skipped
    const char* words;  // nullptr: written
  };
  const Target cases[] = {
      {"a named pipe",
       [](const fs::path& folder) -> std::optional<fs::path> {
         ::mkfifo((folder / "pipe").c_str(), 0600);
         return folder / "pipe";
       },
       "it is a named pipe, not a regular file"},
      {"a link to a device",
       [](const fs::path& folder) -> std::optional<fs::path> {
         // A null device of its own: the system's is not put at risk. Without
         // root there is none, and the system's cannot be replaced anyway.
         const bool own = ::mknod((folder / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
         if (!own && ::geteuid() == 0) return std::nullopt;
         fs::create_symlink(own ? folder / "null" : fs::path("/dev/null"), folder / "out.svg");
         return folder / "out.svg";
       },
       "it is a device, not a regular file"},
      {"a link to a folder",
       [](const fs::path& folder) -> std::optional<fs::path> {
         fs::create_directories(folder / "sub");
         fs::create_symlink("sub", folder / "out.svg");
         return folder / "out.svg";
       },
       "it is a folder, not a file"},
      {"a link to a link to a regular file, relative",
       [](const fs::path& folder) -> std::optional<fs::path> {
         fs::create_directories(folder / "sub");
         Put(folder / "sub" / "real.svg", kOld);
         fs::create_symlink("real.svg", folder / "sub" / "again.svg");
         fs::create_symlink("sub/again.svg", folder / "out.svg");
         return folder / "out.svg";
       },
       nullptr},
      {"a link to a file not there yet",
       [](const fs::path& folder) -> std::optional<fs::path> {
         fs::create_symlink("later.svg", folder / "out.svg");
         return folder / "out.svg";
       },
       nullptr},
      {"an empty name", [](const fs::path&) { return std::optional<fs::path>(""); },
       "the file name is empty"},
      {"a name ending in a slash",
       [](const fs::path& folder) { return std::optional<fs::path>(folder.string() + "/"); },
       "the name ends in a folder, not a file"},
  };
  for (const Target& c : cases) {
    SCOPED_TRACE(c.what);
    const Folder folder;
    const auto made = c.make(folder.path());
    if (!made) {
      std::cout << "  not tried here: " << c.what << ": no device of its own can be made\n";
      continue;
    }
    const fs::path& target = *made;
    const auto status = fs::symlink_status(target);
    const auto followed = fs::status(target);
    const auto failure = files::WriteWholeFile(target, "new");
    // Whatever it was, it is that still.
    EXPECT_EQ(fs::symlink_status(target).type(), status.type());
    if (c.words != nullptr) {
      ASSERT_TRUE(failure.has_value());
      EXPECT_NE(failure->find(c.words), std::string::npos) << *failure;
      EXPECT_EQ(fs::status(target).type(), followed.type());
      continue;
    }
    EXPECT_EQ(failure, std::nullopt);
    EXPECT_EQ(Slurp(target), "new");
    EXPECT_TRUE(fs::is_regular_file(fs::canonical(target)));
  }
}

// A replaced file keeps its permissions; a new one gets those of any new
// file; nothing else is left in the folder.
TEST(WriteWholeFile, ReplacesWholeKeepingThePermissions) {
  const Folder folder;
  const fs::path kept = folder.path() / "report.csv";
  Put(kept, kOld);
  fs::permissions(kept, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_EQ(files::WriteWholeFile(kept, kLarge), std::nullopt);
  EXPECT_EQ(Slurp(kept), kLarge);
  EXPECT_EQ(fs::status(kept).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  const mode_t mask = ::umask(022);
  const fs::path fresh = folder.path() / "new.csv";
  ASSERT_EQ(files::WriteWholeFile(fresh, ""), std::nullopt);
  ::umask(mask);
  EXPECT_EQ(Slurp(fresh), "");
  EXPECT_EQ(fs::status(fresh).permissions(), static_cast<fs::perms>(0644));
  EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"new.csv", "report.csv"}));
}

TEST(WriteAll, SaysWhyAStreamTakesNoMore) {
  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  if (full < 0) GTEST_SKIP() << "no /dev/full here";
  EXPECT_EQ(files::WriteAll(full, "figures"), "no space left on the device");
  ::close(full);
  EXPECT_EQ(files::WriteAll(-1, "figures"), "bad file descriptor");
}

TEST(ErrorWords, NeverAnUnknownError) {
  EXPECT_EQ(files::ErrorWords(ENOSPC), "no space left on the device");
  EXPECT_EQ(files::ErrorWords(EACCES), "permission denied");
  EXPECT_EQ(files::ErrorWords(EROFS), "the file system is read-only");
  EXPECT_EQ(files::ErrorWords(EIO), "the device reported an input/output error");
  EXPECT_EQ(files::ErrorWords(99999), "error number 99999");
}

}  // namespace
