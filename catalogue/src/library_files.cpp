#include "catalogue/library_files.h"

#include "catalogue/data_folders.h"

namespace catalogue {

LibraryFiles ReadLibraryFiles() {
  LibraryFiles files;
  if (const auto folder = LocateDataFolder("fluids")) {
    auto list = ReadFluidFiles(*folder, Literature::skipped);
    files.fluids = std::move(list.fluids);
    files.skipped = std::move(list.skipped);
  }
  if (const auto folder = LocateDataFolder("mixtures")) {
    auto list = ReadBlendFiles(*folder, files.fluids);
    files.blends = std::move(list.blends);
    files.skipped.insert(files.skipped.end(), list.skipped.begin(), list.skipped.end());
  }
  return files;
}

}  // namespace catalogue
