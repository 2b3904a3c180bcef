// The names a refrigerant box takes, to suggest them as the user types:
// every fluid file's name with the fluid's own name and aliases, and every
// blend, each with the critical temperature that the forms check and the
// safety class on record.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cycle {

struct RefrigerantName {
  std::string name;                            // as typed: "R1233zd(E)", "propane", "R410A"
  std::optional<double> critical_temperature;  // degrees C; unknown where the library gives none
  std::optional<std::string> safety_class;
};

// Each name once without regard to case, sorted without regard to case. Every
// fluid and blend is loaded once for its critical point: the property layer
// must have no other caller meanwhile.
std::vector<RefrigerantName> ListRefrigerantNames();

}  // namespace cycle
