// Where the fluid and mixture files lie: where the property library looks
// for them, so that the facts read here are those of the fluids it loads.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace catalogue {

// The candidates for a data folder ("fluids", "mixtures"), in the order the
// property library tries them: under the working directory, then in the
// program's folder (datafiles::ProgramFolder); the same folder once.
std::vector<std::filesystem::path> DataFolderCandidates(std::string_view folder);

// The first candidate that exists; nothing when neither does.
std::optional<std::filesystem::path> LocateDataFolder(std::string_view folder);

}  // namespace catalogue
