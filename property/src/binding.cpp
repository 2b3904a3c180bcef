#include "property/binding.h"

#include <dlfcn.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

#include "datafiles/program_folder.h"

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

// The bound library, published for the requests of every thread: opened
// once under the lock, read without it.
std::mutex binding_lock;
std::optional<Binding> bound;  // guarded by binding_lock
std::atomic<const BoundLibrary*> published = nullptr;
std::atomic<unsigned> generation = 0;

}  // namespace

std::string LibraryBesideProgram(std::string_view name) {
  const auto folder = datafiles::ProgramFolder();
  if (!folder) return std::string(name);
  return (*folder / name).string();
}

std::string DefaultLibraryFile() { return LibraryBesideProgram(kLibraryName); }

const BoundLibrary& Library() {
  if (const BoundLibrary* library = published.load(std::memory_order_acquire)) return *library;
  const std::lock_guard lock(binding_lock);
  if (!bound) {
    bound = Open(DefaultLibraryFile());
    published.store(&bound->library, std::memory_order_release);
  }
  return bound->library;
}

void BindLibrary(const std::string& file) {
  const std::lock_guard lock(binding_lock);
  published.store(nullptr, std::memory_order_release);
  bound.reset();
  bound = Open(file);
  published.store(&bound->library, std::memory_order_release);
  generation.fetch_add(1, std::memory_order_acq_rel);
}

unsigned BindingGeneration() { return generation.load(std::memory_order_acquire); }

void TakeLibraryFailure(LayerState& layer) {
  const auto last_failure = Library().entries.LastFailure.call;
  const fluidcore::Failure* record = last_failure != nullptr ? last_failure() : nullptr;
  layer.Why = record != nullptr ? RequestFailure(*record) : RequestFailure();
}

std::string MissingEntryReason(const BoundLibrary& library, const char* name) {
  if (!library.failure.empty()) return library.failure;
  return std::string("Entry point ") + name + " not found in " + library.file;
}

}  // namespace property
