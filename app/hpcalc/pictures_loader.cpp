#include <dlfcn.h>

#include "pictures.h"
#include "property/binding.h"

namespace hpcalc {

std::variant<const Pictures*, std::string> LoadPictures() {
  const std::string file = property::LibraryBesideProgram("libhpcalc_pictures.so");
  void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    return "drawing needs " + file + ", which cannot be loaded: " +
           (reason != nullptr ? reason : "unknown reason");
  }
  const auto entry = reinterpret_cast<PicturesEntry>(dlsym(library, kPicturesEntry));
  const Pictures* pictures = entry != nullptr ? entry(HEATPUMP_VERSION) : nullptr;
  if (pictures == nullptr) return file + " is not the drawing library of hpcalc " HEATPUMP_VERSION;
  return pictures;
}

}  // namespace hpcalc
