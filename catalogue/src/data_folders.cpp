#include "catalogue/data_folders.h"

#include <algorithm>

#include "datafiles/program_folder.h"

namespace catalogue {

std::vector<std::filesystem::path> DataFolderCandidates(std::string_view folder) {
  std::vector<std::filesystem::path> candidates;
  std::error_code error;
  const auto working = std::filesystem::current_path(error);
  if (!error) candidates.push_back((working / folder).lexically_normal());
  if (const auto program = datafiles::ProgramFolder()) {
    auto beside = (*program / folder).lexically_normal();
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
