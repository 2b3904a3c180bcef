// The family of pure fluids: a SETUP of one of thirty fluids by its file's
// name or an alias, in the spellings the library accepts.
#include "common/loading.h"

namespace fuzz {

Model family_setup(FuzzedDataProvider& in) {
  struct Fluid { const char* file; const char* alias; };
  static const Fluid kFluids[] = {
      {"R134a", "R134a"}, {"R22", "r22"}, {"Water", "R718"}, {"CarbonDioxide", "R744"},
      {"Ammonia", "R717"}, {"Helium", "helium"}, {"D6", "D6"}, {"R32", "R32"},
      {"n-Propane", "R290"}, {"Nitrogen", "nitrogen"}, {"IsoButane", "R600a"},
      {"R1234yf", "R1234YF"}, {"R1234ze(E)", "R1234ze(E)"}, {"HeavyWater", "HeavyWater"},
      {"Methanol", "methanol"}, {"ParaHydrogen", "ParaHydrogen"}, {"R23", "R23"},
      {"SulfurHexafluoride", "SulfurHexafluoride"}, {"Neon", "Neon"}, {"R1233zd(E)", "R1233zd(E)"},
      {"n-Dodecane", "n-Dodecane"}, {"MethylLinoleate", "MethylLinoleate"}, {"Argon", "argon"},
      {"Oxygen", "oxygen"}, {"R125", "R125"}, {"R1234ze(Z)", "R1234ze(Z)"}, {"Ethanol", "ethanol"},
      {"Toluene", "toluene"}, {"MM", "MM"}, {"R245fa", "R245fa"}};
  const Fluid& f = in.PickValueInArray(kFluids);
  Model m;
  m.name = f.file;
  m.x = leftover_composition(in);
  const std::string files = spelling(in, in.ConsumeProbability<double>() < 0.8 ? f.file : f.alias, ".fld");
  m = load(in, m, 1, files + (in.ConsumeProbability<double>() < 0.1 ? "|" : ""));
  require(m.loaded, "SETUP of " + files + " failed");
  return m;
}

}  // namespace fuzz
