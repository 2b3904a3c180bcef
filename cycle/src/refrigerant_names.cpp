#include "cycle/refrigerant_names.h"

#include "cycle_points.h"
#include "property_requests.h"

namespace cycle {

catalogue::FluidList ListRefrigerants() {
  catalogue::FluidList list = catalogue::ListFluids();
  for (catalogue::ListedFluid& fluid : list.fluids) {
    if (fluid.critical_temperature) continue;
    if (const auto kelvin = detail::FiniteNumber(property::CriticalPoint(fluid.name, "T", "mks"))) {
      fluid.critical_temperature = *kelvin - detail::kKelvinOffset;
    }
  }
  return list;
}

}  // namespace cycle
