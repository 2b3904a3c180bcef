#include "datafiles/program_folder.h"

#include <dlfcn.h>
#include <link.h>

namespace datafiles {

namespace {

namespace fs = std::filesystem;

std::optional<fs::path> FindProgramFolder() {
  Dl_info info{};
  link_map* object = nullptr;
  // The loader names a shared object by the path it was opened with, and
  // the program itself by an empty name.
  if (dladdr1(reinterpret_cast<void*>(&FindProgramFolder), &info, reinterpret_cast<void**>(&object),
              RTLD_DL_LINKMAP) != 0 &&
      object != nullptr && object->l_name != nullptr && object->l_name[0] != '\0') {
    std::error_code error;
    const fs::path file = fs::absolute(object->l_name, error);
    if (!error) return file.parent_path();
  }
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return std::nullopt;
  return program.parent_path();
}

}  // namespace

std::optional<fs::path> ProgramFolder() {
  static const std::optional<fs::path> folder = FindProgramFolder();
  return folder;
}

}  // namespace datafiles
