#include "catalogue/data_folders.h"

#include <algorithm>

namespace catalogue {

std::vector<std::filesystem::path> DataFolderCandidates(std::string_view folder) {
  std::vector<std::filesystem::path> candidates;
  std::error_code error;
  const auto working = std::filesystem::current_path(error);
  if (!error) candidates.push_back((working / folder).lexically_normal());
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    auto beside = (program.parent_path() / folder).lexically_normal();
    if (std::find(candidates.begin(), candidates.end(), beside) == candidates.end()) {
      candidates.push_back(std::move(beside));
    }
  }
  return candidates;
}

std::optional<std::filesystem::path> LocateDataFolder(std::string_view folder) {
  for (auto& candidate : DataFolderCandidates(folder)) {
    std::error_code error;
    if (std::filesystem::is_directory(candidate, error)) return candidate;
  }
  return std::nullopt;
}

}  // namespace catalogue
