// The fluids and blends the property library takes, one entry each, as the
// refrigerant boxes suggest them and `hpcalc fluids` lists them: every name
// the library takes for it, its critical temperature, safety class and GWP.
// All of it is what the fluid and mixture files state: no equation of state
// is set up, so that the whole list costs a few milliseconds.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace catalogue {

struct ListedFluid {
  std::string name;  // the fluid file's or the blend's name: "n-Propane", "R410A"
  bool blend = false;
  // The other names the library takes for it, each once without regard to
  // case: a fluid's own name where its file is named otherwise, then its
  // aliases ("Propane", "R290", ...). A blend has none.
  std::vector<std::string> aliases;
  // Degrees C, as the forms show temperatures: a fluid file's critical
  // point; the critical temperature a shipped mixture file states, which the
  // library computed for its composition. Nothing where the file states none.
  std::optional<double> critical_temperature;
  std::optional<std::string> safety_class;
  std::optional<double> gwp100;
};

// The pure fluids, then the blends, each sorted by name without regard to
// case, from where the property library finds the files; `skipped` names the
// files that could not be read, with the reason.
struct FluidList {
  std::vector<ListedFluid> fluids;
  std::vector<std::string> skipped;
};
FluidList ListFluids();

}  // namespace catalogue
