#include "report/transcritical_table.h"

#include "cycle/number_text.h"

namespace report {

std::vector<std::string> TranscriticalFiguresHeader() {
  return {"refrigerant", "HighPressure", "Optimal", "COP", "MassFlow", "CompressorPower",
          "DischargeTemperature", "VHC", "P1", "T1", "H1", "S1", "H2s", "H2", "T2", "H3", "T3",
          "H4", "Pinch", "PinchAt"};
}

std::vector<std::string> TranscriticalFiguresRow(const cycle::TranscriticalResult& r) {
  std::vector<std::string> row{r.refrigerant, cycle::FormatShortest(r.high_pressure),
                               r.optimal ? "yes" : "no"};
  for (const double figure :
       {r.cop, r.mass_flow, r.compressor_power, r.discharge.T, r.vhc, r.suction.p, r.suction.T,
        r.suction.h, r.suction.s, r.isentropic_discharge.h, r.discharge.h, r.discharge.T,
        r.gas_cooler_outlet.h, r.gas_cooler_outlet.T, r.evaporator_inlet.h, r.pinch, r.pinch_at}) {
    row.push_back(cycle::FormatShortest(figure));
  }
  return row;
}

}  // namespace report
