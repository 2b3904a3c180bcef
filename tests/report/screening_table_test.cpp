// The screening's rows as a CSV table: the header of the command line's CSV,
// the cells as the table shows them, a reason with a comma quoted.
#include "report/screening_table.h"

#include <gtest/gtest.h>

#include <sstream>

namespace report {
namespace {

TEST(ScreeningTable, HasAColumnPerScreeningColumnAndACellPerValue) {
  cycle::ScreeningRow ok{{"R134a", cycle::FluidKind::pure, "A1", 1430, std::nullopt, 169.85},
                         101.06,
                         cycle::ScreenedCycle{{5.25, 0.00861, 0.0151, 5.78, 32.44, 101.78, 2.46},
                                              6785.04,
                                              13.18,
                                              0.0,
                                              0.0,
                                              false,
                                              0.0}};
  cycle::ScreeningRow refused{{"R32,0.5,R125,0.5", cycle::FluidKind::blend, std::nullopt,
                               std::nullopt, std::nullopt, std::nullopt},
                              std::nullopt,
                              std::string("its suction enthalpy could not be computed: at TP 318.15, 1942.69")};
  std::ostringstream out;
  ScreeningTable({ok, refused}).Write(out);
  EXPECT_EQ(out.str(),
            "refrigerant,kind,safety_class,GWP,ODP,Tcrit,GlideEvap,GlideCond,COP,VHC,MassPerHeat,"
            "VaporVolume,DisplacementVolume,EvaporatingPressure,DischargePressure,"
            "DischargeTemperature,PressureRatio,WetCompression,MinSuperheat,status,reason\n"
            "R134a,pure,A1,1430,,101.06,0.00,0.00,5.25,6785.0,0.00861,0.0151,5.78,13.18,32.44,101.78,"
            "2.46,no,0.00,ok,\n"
            "\"R32,0.5,R125,0.5\",blend,,,,,,,,,,,,,,,,,,refused,\"its suction enthalpy could not be "
            "computed: at TP 318.15, 1942.69\"\n");
}

}  // namespace
}  // namespace report
