// The folder the program's own files lie in: the property library, its
// fluids/ and mixtures/ folders, the drawing library.
#pragma once

#include <filesystem>
#include <optional>

namespace datafiles {

// The folder of the file this code was linked into: the running program's,
// or, where a shared object links it (the Python module, loaded by the
// interpreter from a folder of its own), that object's. Nothing where
// neither can be found. Found once, on the first call.
std::optional<std::filesystem::path> ProgramFolder();

}  // namespace datafiles
