// The tables of the cycle layouts, for the command line, the reports and
// the pages: the figures of every refrigerant with full precision (a
// refused one as a row that says why), the states, the figures and losses
// as a page shows them, and the four layouts side by side.
#pragma once

#include <span>

#include "cycle/layouts.h"
#include "report/csv_table.h"
#include "report/figure_rows.h"
#include "report/report_tables.h"

namespace report {

// refrigerant,layout,COP,VHC,HeatingCapacity,CompressorPower,MassFlow,
// InjectionRatio,IntermediatePressure,SuctionTemperature,DischargeTemperature,
// PressureRatio,WetCompression,MinSuperheat,ExergyEfficiency,LossCompressor,
// LossCondenser,LossValve,LossEvaporator,LossIHX,LossEconomizer,LossMixing,
// status,reason: kJ/m3, kW, kg/s, kg/kg, bar, 'C, K; every number as the
// shortest text that reads back as it. No intermediate pressure in one
// stage; no discharge temperature where the discharge is two-phase, the
// reason then saying so; a refused refrigerant's figures empty.
FieldTable LayoutFigureFields(std::span<const cycle::LayoutOutcome> outcomes);
// Its texts.
CsvTable LayoutFiguresTable(std::span<const cycle::LayoutOutcome> outcomes);

// refrigerant,layout,state,p,T,h,s,mass for every state of every result
// (bar, 'C, kJ/kg, kJ/kg-K, kg per kg of evaporator flow), full precision.
CsvTable LayoutStatesTable(std::span<const cycle::LayoutOutcome> outcomes);

// The inputs as typed (blank source and sink as their defaults' words).
LabelledValues LayoutInputs(const cycle::LayoutInput& input);
// The figures as a page shows them: COP, VHC, duties, flows, pressures,
// temperatures (a two-phase discharge said so), wet compression, exergy.
LabelledValues LayoutFigures(const cycle::LayoutResult& result);
// State, p, T, h, s, mass, quality (inside the dome) with the units in the header.
CsvTable LayoutStatePoints(const cycle::LayoutResult& result);
// The exergy destroyed in each component of the layout, kW and share of
// the compressor power.
CsvTable LayoutLosses(const cycle::LayoutResult& result);
// The layouts side by side: COP, VHC, discharge temperature, injection
// ratio, exergy efficiency, and a note (wet compression, a two-phase
// discharge, or why a layout was refused).
CsvTable CompareLayoutsTable(std::span<const cycle::LayoutOutcome> outcomes);

}  // namespace report
