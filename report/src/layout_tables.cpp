#include "report/layout_tables.h"

#include "cycle/number_text.h"

namespace report {

namespace {

constexpr char kCelsius[] = "\u00b0C";

using cycle::Component;
using cycle::FormatFixed;
using cycle::FormatShortest;

std::string Full(double value) { return FormatShortest(value); }

std::string Named(cycle::Layout layout) { return std::string(cycle::LayoutName(layout)); }

std::string TwoPhaseNote(double quality) {
  return "the discharge is two-phase (vapour quality " + FormatFixed(quality, 4) + ")";
}

std::vector<Field> FiguresRow(const cycle::LayoutResult& r) {
  std::vector<Field> row{
      TextField(r.refrigerant),
      TextField(Named(r.layout)),
      ShortestField(r.cop),
      ShortestField(r.vhc),
      ShortestField(r.heating_capacity),
      ShortestField(r.compressor_power),
      ShortestField(r.mass_flow),
      ShortestField(r.injection_ratio),
      r.intermediate_pressure ? ShortestField(*r.intermediate_pressure) : EmptyField(),
      ShortestField(r.suction_temperature),
      r.discharge_quality ? EmptyField() : ShortestField(r.discharge_temperature),
      ShortestField(r.pressure_ratio),
      TextField(r.wet_compression ? "yes" : "no"),
      ShortestField(r.min_superheat),
      ShortestField(r.exergy_efficiency)};
  for (const Component component : cycle::kComponents) {
    row.push_back(ShortestField(r.Loss(component)));
  }
  row.push_back(TextField("ok"));
  row.push_back(r.discharge_quality ? TextField(TwoPhaseNote(*r.discharge_quality)) : EmptyField());
  return row;
}

std::string Percent(double fraction) { return FormatFixed(100 * fraction, 1); }

}  // namespace

FieldTable LayoutFigureFields(std::span<const cycle::LayoutOutcome> outcomes) {
  FieldTable table({"refrigerant",
                    "layout",
                    "COP",
                    "VHC",
                    "HeatingCapacity",
                    "CompressorPower",
                    "MassFlow",
                    "InjectionRatio",
                    "IntermediatePressure",
                    "SuctionTemperature",
                    "DischargeTemperature",
                    "PressureRatio",
                    "WetCompression",
                    "MinSuperheat",
                    "ExergyEfficiency",
                    "LossCompressor",
                    "LossCondenser",
                    "LossValve",
                    "LossEvaporator",
                    "LossIHX",
                    "LossEconomizer",
                    "LossMixing",
                    "status",
                    "reason"});
  for (const cycle::LayoutOutcome& outcome : outcomes) {
    if (const auto* result = outcome.result()) {
      table.AddRow(FiguresRow(*result));
      continue;
    }
    std::vector<Field> row(table.Header().size(), EmptyField());
    row.front() = TextField(outcome.refrigerant);
    row[1] = TextField(Named(outcome.layout));
    row[row.size() - 2] = TextField("refused");
    row.back() = TextField(outcome.refusal()->reason);
    table.AddRow(std::move(row));
  }
  return table;
}

CsvTable LayoutFiguresTable(std::span<const cycle::LayoutOutcome> outcomes) {
  return LayoutFigureFields(outcomes).Csv();
}

CsvTable LayoutStatesTable(std::span<const cycle::LayoutOutcome> outcomes) {
  CsvTable table({"refrigerant", "layout", "state", "p", "T", "h", "s", "mass"});
  for (const cycle::LayoutOutcome& outcome : outcomes) {
    const auto* r = outcome.result();
    if (r == nullptr) continue;
    for (const cycle::LayoutState& s : r->states) {
      table.AddRow({r->refrigerant, Named(r->layout), s.name, Full(s.state.p), Full(s.state.T),
                    Full(s.state.h), Full(s.state.s), Full(s.mass)});
    }
  }
  return table;
}

LabelledValues LayoutInputs(const cycle::LayoutInput& in) {
  const auto or_default = [](const std::string& text, const char* fallback) {
    return text.find_first_not_of(" \t") == std::string::npos ? std::string(fallback) : text;
  };
  return {
      {"Refrigerant", in.Refrigerant, ""},
      {"Heat capacity of evaporator", in.Capacity, "kW"},
      {"Evaporating temperature", in.Evaporating, kCelsius},
      {"Condensing temperature", in.Condensing, kCelsius},
      {"Subcooling", in.Subcooling, "K"},
      {"Superheating", in.Superheating, "K"},
      {"Safety factor", in.Safety, "%"},
      {"Isentropic efficiency", in.Efficiency, "%"},
      {"Internal heat exchanger effectiveness", in.IhxEffectiveness, "%"},
      {"Intermediate pressure (bar, mean or optimal)", in.Intermediate, ""},
      {"Injection superheat", in.InjectionSuperheat, "K"},
      {"Economizer approach", in.Approach, "K"},
      {"Heat source temperature", or_default(in.Source, "evaporating + 5"), kCelsius},
      {"Heat sink temperature", or_default(in.Sink, "condensing - 5"), kCelsius},
  };
}

LabelledValues LayoutFigures(const cycle::LayoutResult& r) {
  LabelledValues figures{
      {"Layout", std::string(cycle::LayoutTitle(r.layout)), ""},
      {"Refrigerant", r.refrigerant, ""},
      {"Heating COP", FormatFixed(r.cop, 3), "-"},
      {"Volumetric heating capacity", FormatFixed(r.vhc, 1), "kJ/m3"},
      {"Heating capacity", FormatFixed(r.heating_capacity, 3), "kW"},
      {"Compressor power", FormatFixed(r.compressor_power, 3), "kW"},
      {"Evaporator duty", FormatFixed(r.evaporator_duty, 3), "kW"},
      {"Mass flow through the evaporator", FormatFixed(r.mass_flow, 5), "kg/s"},
  };
  if (r.intermediate_pressure) {
    figures.push_back({"Injection ratio", FormatFixed(r.injection_ratio, 4), "kg/kg"});
    figures.push_back(
        {"Intermediate pressure",
         FormatFixed(*r.intermediate_pressure, 2) + (r.intermediate_searched ? " (best COP)" : ""),
         "bar"});
  }
  const LabelledValues rest{
      {"Evaporating pressure", FormatFixed(r.evaporating_pressure, 2), "bar"},
      {"Condensing pressure", FormatFixed(r.condensing_pressure, 2), "bar"},
      {"Pressure ratio", FormatFixed(r.pressure_ratio, 2), "-"},
      {"Suction temperature", FormatFixed(r.suction_temperature, 2), kCelsius},
      {"Discharge temperature",
       r.discharge_quality ? "two-phase, vapour quality " + FormatFixed(*r.discharge_quality, 3)
                           : FormatFixed(r.discharge_temperature, 2),
       r.discharge_quality ? "" : kCelsius},
      {"Wet compression", r.wet_compression ? "yes" : "no", ""},
      {"Minimum suction superheat", FormatFixed(r.min_superheat, 2), "K"},
      {"Heat source temperature (dead state)", FormatFixed(r.source_temperature, 2), kCelsius},
      {"Heat sink temperature", FormatFixed(r.sink_temperature, 2), kCelsius},
      {"Exergy delivered", FormatFixed(r.delivered_exergy, 3), "kW"},
      {"Exergy efficiency", Percent(r.exergy_efficiency), "%"},
  };
  figures.insert(figures.end(), rest.begin(), rest.end());
  return figures;
}

CsvTable LayoutStatePoints(const cycle::LayoutResult& r) {
  CsvTable table({"State", "p (bar)", std::string("T (") + kCelsius + ")", "h (kJ/kg)",
                  "s (kJ/kg-K)", "Mass (kg/kg)", "Quality"});
  for (const cycle::LayoutState& s : r.states) {
    table.AddRow({s.name, FormatFixed(s.state.p, 2), FormatFixed(s.state.T, 2),
                  FormatFixed(s.state.h, 2), FormatFixed(s.state.s, 4), FormatFixed(s.mass, 4),
                  s.quality ? FormatFixed(*s.quality, 3) : ""});
  }
  return table;
}

CsvTable LayoutLosses(const cycle::LayoutResult& r) {
  CsvTable table({"Component", "Exergy destroyed (kW)", "Share of compressor power (%)"});
  for (const Component component : cycle::ComponentsOf(r.layout)) {
    table.AddRow({std::string(cycle::ComponentLabel(component, r.layout)),
                  FormatFixed(r.Loss(component), 3),
                  Percent(r.Loss(component) / r.compressor_power)});
  }
  table.AddRow({"Delivered with the heat", FormatFixed(r.delivered_exergy, 3),
                Percent(r.exergy_efficiency)});
  return table;
}

CsvTable CompareLayoutsTable(std::span<const cycle::LayoutOutcome> outcomes) {
  CsvTable table({"Layout", "COP (-)", "VHC (kJ/m3)",
                  std::string("Discharge temperature (") + kCelsius + ")",
                  "Injection ratio (kg/kg)", "Exergy efficiency (%)", "Note"});
  for (const cycle::LayoutOutcome& outcome : outcomes) {
    const std::string title(cycle::LayoutTitle(outcome.layout));
    const auto* r = outcome.result();
    if (r == nullptr) {
      table.AddRow({title, "", "", "", "", "", "refused: " + outcome.refusal()->reason});
      continue;
    }
    std::string note = r->wet_compression ? "wet compression" : "";
    if (r->discharge_quality)
      note += (note.empty() ? "" : "; ") + TwoPhaseNote(*r->discharge_quality);
    table.AddRow({title, FormatFixed(r->cop, 3), FormatFixed(r->vhc, 1),
                  r->discharge_quality ? "two-phase" : FormatFixed(r->discharge_temperature, 2),
                  FormatFixed(r->injection_ratio, 4), Percent(r->exergy_efficiency), note});
  }
  return table;
}

}  // namespace report
