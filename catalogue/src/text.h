// Text and file helpers shared by the readers of the catalogue.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace catalogue::detail {

std::string Lower(std::string_view text);

// The whole data file (datafiles::ReadDataFile); throws std::runtime_error
// ("cannot be read (a named pipe, not a regular file)").
std::string ReadText(const std::filesystem::path& file);

}  // namespace catalogue::detail
