#include "common/loading.h"

#include <cctype>

#include "common/calls.h"
#include "common/values.h"

namespace fuzz {

namespace fs = std::filesystem;

fs::path data_dir() {
  std::error_code ec;
  return fs::read_symlink("/proc/self/exe", ec).parent_path();
}

std::string spelling(FuzzedDataProvider& in, std::string name, const char* extension) {
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 1: for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c))); break;
    case 2: for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c))); break;
    default: break;
  }
  static const char* const kFolders[] = {"fluids\\", "fluids\\", "fluids/", " fluids\\", "./fluids/"};
  return in.PickValueInArray(kFolders) + name + (in.ConsumeProbability<double>() < 0.7 ? extension : "");
}

Fractions leftover_composition(FuzzedDataProvider& in) {
  Fractions x{};
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: break;
    case 1: x[0] = 0.6976146993758624; x[1] = 0.30238530062413754; break;
    case 2: x.fill(kNaN); break;
    default: for (double& v : x) v = in.ConsumeFloatingPoint<double>();
  }
  return x;
}

int files_width(FuzzedDataProvider& in, const std::string& files) {
  if (in.ConsumeProbability<double>() < 0.85) return kFluidcoreFileListWidth;
  return static_cast<int>(files.size()) + (in.ConsumeBool() ? 0 : in.ConsumeIntegralInRange(0, 400));
}

Model load(FuzzedDataProvider& in, Model m, int n, const std::string& files) {
  const auto r = setup(n, files, files_width(in, files), kMixingFile, "DEF", width_of(in));
  m.loaded = r.ierr <= 0;
  m.known = true;
  m.x_usable = usable(m.x, n);
  return m;
}

Fractions composition(FuzzedDataProvider& in, int n) {
  Fractions x{};
  const int mode = in.ConsumeIntegralInRange(0, 9);
  for (int i = 0; i < n; ++i) {
    double& f = x[static_cast<std::size_t>(i)];
    if (mode < 7) f = in.ConsumeIntegralInRange(0, 4) / 4.0;
    else if (mode < 9) f = in.ConsumeProbability<double>();
    else f = in.ConsumeBool() ? nudged_value(in, in.ConsumeProbability<double>()) : hostile_value(in);
  }
  if (mode < 7 && std::all_of(x.begin(), x.begin() + n, [](double f) { return f == 0; })) x[0] = 1;
  return x;
}

}  // namespace fuzz
