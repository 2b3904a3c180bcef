// Text and file helpers shared by the readers of the catalogue.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace catalogue::detail {

std::string Lower(std::string_view text);

// The whole file; throws std::runtime_error ("cannot be read").
std::string ReadText(const std::filesystem::path& file);

// The file of `folder` named `name` without regard to case.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name);

}  // namespace catalogue::detail
