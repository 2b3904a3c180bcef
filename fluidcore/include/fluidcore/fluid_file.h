// Fluid files: reading fluids/NAME.fld (JSON, written by
// tools/make_fluid_files.py, format described there), finding them by name,
// and keeping every parsed model in a cache.
//
// Name resolution (FluidLibrary::resolve): "\" and "/" both separate path
// parts; a relative path is tried against the working directory first and
// then against each data directory (the folder beside the library). In each
// folder the file name matches without regard to letter case, ".fld" may be
// left out, and a name that is no file is looked up in the folder's
// aliases.json (R290 -> n-Propane.fld). A file's own name therefore always
// wins over another fluid's alias. Every file is read as datafiles/ reads
// data files: a named pipe, a device or a folder found by the name, or a file
// too large, is refused with the reason rather than read.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "fluidcore/failure.h"
#include "fluidcore/pure_fluid.h"

namespace fluidcore {

// A missing, unreadable or malformed file; what() is a plain message that
// names the file and the fault.
class FluidFileError : public std::runtime_error {
 public:
  // missing: the file is not there at all.
  explicit FluidFileError(const std::string& what, bool missing = false)
      : std::runtime_error(what), missing_(missing) {}
  // The same fault told with more in front ("mixture file R410A.mix: ").
  FluidFileError(const std::string& prefix, const FluidFileError& inner)
      : FluidFileError(prefix + inner.what(), inner.missing_) {}
  failure::FileFault fault() const { return {missing_, what()}; }

 private:
  bool missing_;
};

// A whole fluid file's text. Throws FluidFileError naming `origin`.
PureFluid parse_fluid_file(const std::string& text, const std::string& origin);

// Used by any number of threads at once: the cache is guarded, and a parsed
// model never changes.
class FluidLibrary {
 public:
  // data_dirs: searched, in order, after the working directory.
  explicit FluidLibrary(std::vector<std::filesystem::path> data_dirs);

  // The file a name stands for; throws FluidFileError when there is none.
  std::filesystem::path resolve(std::string_view name) const;

  // The parsed model of a fluid file, from the cache after the first time.
  std::shared_ptr<const PureFluid> load(std::string_view name);

  // Where a relative folder is looked for, in order: under the working
  // directory, then under each data directory (an absolute folder: itself);
  // each folder once.
  std::vector<std::filesystem::path> search_dirs(const std::filesystem::path& folder) const;

 private:
  std::vector<std::filesystem::path> data_dirs_;
  std::mutex mutex_;
  std::map<std::filesystem::path, std::shared_ptr<const PureFluid>> cache_;
};

}  // namespace fluidcore
