// What a file's name says of its contents.
#pragma once

#include <string>
#include <string_view>

namespace files {

// The extension of the file's name (the last part of the path) in lower
// case, without its dot: "pdf" for "dir.x/Report.PDF"; empty where the name
// has no dot.
std::string LowerCaseExtension(std::string_view path);

}  // namespace files
