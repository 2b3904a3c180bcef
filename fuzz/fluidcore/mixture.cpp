// The family of mixtures: blends by name, air as the layer spells it, and
// spelled mixtures of two to five components.
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "common/loading.h"

namespace fuzz {
namespace {

namespace fs = std::filesystem;

// Every blend of mixtures/ by its name.
const std::vector<std::string>& blend_names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> r;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(data_dir() / "mixtures", ec))
      if (e.path().extension() == ".mix") r.push_back(e.path().stem().string());
    std::sort(r.begin(), r.end());
    if (r.empty()) r.push_back("R410A");
    return r;
  }();
  return names;
}

}  // namespace

Model family_setup(FuzzedDataProvider& in) {
  static const char* const kBlends[] = {"R410A", "R407C", "R404A", "R454B", "R513A", "R507A"};
  static const char* const kComponentsPool[] = {
      "R32", "R125", "R134a", "R1234yf", "R143a", "R1234ze(E)", "n-Propane", "IsoButane",
      "CarbonDioxide", "Nitrogen", "Argon", "Oxygen", "R152A", "R227EA", "R1132(E)", "Water"};
  Model m;
  m.mixture = true;
  switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0: case 1: {  // a blend by name, as the layer hands it over
      std::string name = in.PickValueInArray(kBlends);
      if (in.ConsumeProbability<double>() < 0.2) name = blend_names()[in.ConsumeIntegralInRange<std::size_t>(0, blend_names().size() - 1)];
      m.name = name;
      m.blend = true;
      m.x = leftover_composition(in);
      const std::string files = in.ConsumeProbability<double>() < 0.8 ? spelling(in, name, ".fld")
                                                                       : "mixtures\\" + name + ".mix";
      m = load(in, m, 1, files);
      require(m.loaded, "SETUP of the blend " + files + " failed");
      return m;
    }
    case 2: {  // air, as the layer spells it
      m.name = "air";
      m.x = {0.7812, 0.0092, 0.2096};
      if (in.ConsumeProbability<double>() < 0.3) m.x = composition(in, 3);
      m = load(in, m, 3, "fluids\\nitrogen.fld|fluids\\argon.fld|fluids\\oxygen.fld|");
      require(m.loaded, "SETUP of air failed");
      return m;
    }
    default: {  // a spelled mixture of 2 to 5 distinct components, mostly 2 or 3
      static const int kCounts[] = {2, 2, 2, 2, 3, 3, 4, 5};
      const int n = in.PickValueInArray(kCounts);
      std::vector<std::string> names;
      constexpr std::size_t kPool = std::size(kComponentsPool);
      std::vector<bool> taken(kPool, false);
      while (static_cast<int>(names.size()) < n) {
        // Mostly the refrigerants of the blends, with published pairs.
        const std::size_t pool = in.ConsumeProbability<double>() < 0.8 ? 8 : kPool;
        std::size_t i = in.ConsumeIntegralInRange<std::size_t>(0, pool - 1);
        while (taken[i]) i = (i + 1) % kPool;
        taken[i] = true;
        names.push_back(kComponentsPool[i]);
      }
      std::string files;
      for (const auto& c : names) {
        m.name += (m.name.empty() ? "" : "/") + c;
        files += "fluids\\" + c + ".fld|";
      }
      m.x = composition(in, n);
      m = load(in, m, n, files);
      require(m.loaded, "SETUP of " + files + " failed");
      return m;
    }
  }
}

}  // namespace fuzz
