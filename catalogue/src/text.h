// Text and file helpers shared by the readers of the catalogue.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace catalogue::detail {

std::string Lower(std::string_view text);

// Orders names without regard to case; names that differ only in case by
// their bytes, so that the order is total.
bool LessIgnoringCase(const std::string& a, const std::string& b);

// The whole file; throws std::runtime_error ("cannot be read").
std::string ReadText(const std::filesystem::path& file);

// The file of `folder` named `name` without regard to case.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name);

}  // namespace catalogue::detail
