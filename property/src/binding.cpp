#include "property/binding.h"

#include <dlfcn.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "property/fluid_setup.h"

namespace property {

namespace {

constexpr const char* kLibraryName = "libfluidcore.so";

struct CloseLibrary {
  void operator()(void* handle) const { dlclose(handle); }
};
using LibraryHandle = std::unique_ptr<void, CloseLibrary>;

struct Binding {
  LibraryHandle handle;
  BoundLibrary library;
};

Binding Open(const std::string& file) {
  Binding binding;
  binding.library.file = file;
  binding.handle.reset(dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (!binding.handle) {
    const char* reason = dlerror();
    binding.library.failure = "Cannot load the property library " + file + ": " +
                              (reason != nullptr ? reason : "unknown reason");
    return binding;
  }
  binding.library.entries.ForEach([&](auto& entry) {
    using Fn = std::remove_pointer_t<decltype(entry.call)>;
    entry.call = reinterpret_cast<Fn*>(dlsym(binding.handle.get(), entry.name));
  });
  return binding;
}

std::optional<Binding>& Bound() {
  static std::optional<Binding> bound;
  return bound;
}

}  // namespace

// By bare name (the loader's search path) when the program's own path is not
// known.
std::string DefaultLibraryFile() {
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return kLibraryName;
  return (program.parent_path() / kLibraryName).string();
}

const BoundLibrary& Library() {
  auto& bound = Bound();
  if (!bound) bound = Open(DefaultLibraryFile());
  return bound->library;
}

void BindLibrary(const std::string& file) {
  auto& bound = Bound();
  bound.reset();
  bound = Open(file);
  SetupState().LastFluid.clear();
}

std::string MissingEntryReason(const BoundLibrary& library, const char* name) {
  if (!library.failure.empty()) return library.failure;
  return std::string("Entry point ") + name + " not found in " + library.file;
}

}  // namespace property
