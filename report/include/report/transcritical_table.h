// The transcritical cycle's figures as a CSV line, full precision: the
// command line's --csv and the parameter study's rows share it.
#pragma once

#include <string>
#include <vector>

#include "cycle/transcritical.h"

namespace report {

// refrigerant,HighPressure,Optimal,COP,MassFlow,CompressorPower,
// DischargeTemperature,VHC,P1,T1,H1,S1,H2s,H2,T2,H3,T3,H4,Pinch,PinchAt:
// bar, kg/s, kW, 'C, kJ/m3, kJ/kg, kJ/kg-K, K and the pinch's place as a
// fraction of the duty; every number as the shortest text that reads back
// as it, Optimal yes or no.
std::vector<std::string> TranscriticalFiguresHeader();
std::vector<std::string> TranscriticalFiguresRow(const cycle::TranscriticalResult& result);

}  // namespace report
