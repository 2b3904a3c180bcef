#include "report/report_tables.h"

#include "cycle/number_text.h"
#include "report/figure_rows.h"

namespace report {

namespace {

constexpr char kCelsius[] = "\u00b0C";

std::string Fixed2(double value) { return cycle::FormatFixed(value, 2); }

std::string EscapeHtml(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

}  // namespace

LabelledValues BasicInputs(const cycle::BasicCycleInput& in) {
  return {
      {"Refrigerant", in.Refrigerant, ""},
      {"Hot water mass flow rate", cycle::FormatShortest(in.Massflowrate), "liter/s"},
      {"Hot water temperature", cycle::FormatShortest(in.Temperaturehotspring), kCelsius},
      {"Subcooling", cycle::FormatShortest(in.Subcooling), "K"},
      {"Superheating", cycle::FormatShortest(in.Superheating), "K"},
      {"Condensing temperature", cycle::FormatShortest(in.TemperatureCondensing), kCelsius},
      {"Safety factor", cycle::FormatShortest(in.Safetyfactor), "%"},
      {"Isentropic efficiency", cycle::FormatShortest(in.Isotropicefficiency), "%"},
  };
}

LabelledValues BasicFigures(const cycle::BasicCycleResult& r) {
  LabelledValues figures{
      {"Evaporator", Fixed2(r.Evap), "kW"},
      {"Condenser", Fixed2(r.Conden), "kW"},
      {"Compressor", Fixed2(r.Compress), "kW"},
      {"Expansion valve", Fixed2(r.EV), "TR"},
  };
  // What the page's temperature and enthalpy of each point are: at 4 the
  // evaporating temperature (a blend's dew point, above the state after
  // the valve), at 2 the isentropic discharge's enthalpy.
  const struct {
    double p, T, h;
    const char* temperature;
    const char* enthalpy;
  } points[] = {{r.P1, r.T1, r.H1, "temperature", "enthalpy"},
                {r.P2, r.T2, r.H2, "temperature", "enthalpy (isentropic discharge)"},
                {r.P3, r.T3, r.H3, "temperature", "enthalpy"},
                {r.P4, r.T4, r.H4, "temperature (evaporating)", "enthalpy"}};
  for (std::size_t i = 0; i < std::size(points); ++i) {
    const std::string point = "Point " + std::to_string(i + 1) + " ";
    figures.push_back({point + "pressure", Fixed2(points[i].p), "bar"});
    figures.push_back({point + points[i].temperature, Fixed2(points[i].T), kCelsius});
    figures.push_back({point + points[i].enthalpy, Fixed2(points[i].h), "kJ/kg"});
  }
  figures.push_back({"Heating COP", Fixed2(r.COP), "-"});
  figures.push_back({"Volumetric heating capacity", cycle::FormatFixed(r.VHC, 1), "kJ/m3"});
  figures.push_back({"Point 2 enthalpy (actual discharge)", Fixed2(r.H2actual), "kJ/kg"});
  figures.push_back({"Point 4 temperature (after the valve)", Fixed2(r.T4actual), kCelsius});
  return figures;
}

LabelledValues ComparisonConditions(const cycle::ComparisonConditions& c) {
  return {
      {"Heat capacity of evaporator", cycle::FormatShortest(c.HeatCapEvap), "kW"},
      {"Evaporating temperature", cycle::FormatShortest(c.TempEvap), kCelsius},
      {"Subcooling", cycle::FormatShortest(c.Subcooling), "K"},
      {"Superheating", cycle::FormatShortest(c.Superheating), "K"},
      {"Condensing temperature", cycle::FormatShortest(c.TemperatureCondensing), kCelsius},
      {"Safety factor", cycle::FormatShortest(c.Safetyfactor), "%"},
      {"Isentropic efficiency", cycle::FormatShortest(c.Isotropicefficiency), "%"},
  };
}

std::span<const TranscriticalFigureRow> TranscriticalFigureRows() {
  using R = cycle::TranscriticalResult;
  static constexpr TranscriticalFigureRow kRows[] = {
      {"HeatingCapacity", "Heating capacity", "kW", &R::heating_capacity, 2},
      {"CompressorPower", "Compressor power", "kW", &R::compressor_power, 2},
      {"EvaporatorDuty", "Evaporator duty", "kW", &R::evaporator_duty, 2},
      {"COP", "Heating COP", "-", &R::cop, 3},
      {"MassFlow", "Refrigerant mass flow", "kg/s", &R::mass_flow, 4},
      {"WaterFlow", "Water flow", "kg/s", &R::water_flow, 4},
      {"VHC", "Volumetric heating capacity", "kJ/m3", &R::vhc, 1},
      {"HighPressure", "High-side pressure", "bar", &R::high_pressure, 2},
      {"Pinch", "Pinch in the gas cooler", "K", &R::pinch, 2},
      {"PinchAt", "Pinch at", "% of the duty from the refrigerant inlet", &R::pinch_at, 1, 100},
  };
  return kRows;
}

std::string CaptionOf(const TranscriticalFigureRow& row) {
  const std::string unit = row.unit;
  return std::string(row.label) + (unit == "-" ? "" : " (" + unit + ")");
}

LabelledValues TranscriticalInputs(const cycle::TranscriticalInput& in) {
  return {
      {"Refrigerant", in.Refrigerant, ""},
      {"Heating capacity", in.HeatingCapacity, "kW"},
      {"Evaporating temperature", in.Evaporating, kCelsius},
      {"Superheating", in.Superheating, "K"},
      {"Gas cooler outlet temperature", in.GasCoolerOutlet, kCelsius},
      {"High-side pressure", in.HighPressure, "bar or optimal"},
      {"Isentropic efficiency", in.Efficiency, "%"},
      {"Water inlet temperature", in.WaterIn, kCelsius},
      {"Water outlet temperature", in.WaterOut, kCelsius},
      {"Minimum approach", in.MinApproach, "K"},
  };
}

cycle::CycleCorners CornersOf(const cycle::TranscriticalResult& r) {
  return {r.suction, r.isentropic_discharge, r.discharge, r.gas_cooler_outlet, r.evaporator_inlet};
}

LabelledValues TranscriticalFigures(const cycle::TranscriticalResult& r) {
  LabelledValues figures;
  for (const TranscriticalFigureRow& row : TranscriticalFigureRows()) {
    figures.push_back(
        {row.label, cycle::FormatFixed(r.*row.figure * row.scale, row.decimals), row.unit});
  }
  figures.push_back({"High-side pressure found as", cycle::HighPressureNote(r), ""});
  if (const auto warning = cycle::ApproachWarning(r)) figures.push_back({"Warning", *warning, ""});
  const cycle::CycleCorners k = CornersOf(r);
  const std::pair<const char*, const cycle::DiagramState*> points[] = {
      {"1", &k.suction}, {"2s", &k.isentropic_discharge}, {"2", &k.discharge},
      {"3", &k.condenser_outlet}, {"4", &k.evaporator_inlet}};
  for (const auto& [name, s] : points) {
    const std::string point = std::string("Point ") + name + " ";
    figures.push_back({point + "pressure", Fixed2(s->p), "bar"});
    figures.push_back({point + "temperature", Fixed2(s->T), kCelsius});
    figures.push_back({point + "enthalpy", Fixed2(s->h), "kJ/kg"});
    figures.push_back({point + "entropy", cycle::FormatFixed(s->s, 4), "kJ/kg-K"});
  }
  return figures;
}

CsvTable TranscriticalTable(const cycle::TranscriticalInput& input,
                            const cycle::TranscriticalResult& result) {
  LabelledValues rows = TranscriticalInputs(input);
  const LabelledValues figures = TranscriticalFigures(result);
  rows.insert(rows.end(), figures.begin(), figures.end());
  return LabelledTable(rows);
}

CsvTable LabelledTable(const LabelledValues& values) {
  CsvTable table({"label", "value", "unit"});
  for (const LabelledValue& v : values) table.AddRow({v.label, v.value, v.unit});
  return table;
}

CsvTable BasicTable(const cycle::BasicCycleInput& input, const cycle::BasicCycleResult& result) {
  LabelledValues rows = BasicInputs(input);
  const LabelledValues figures = BasicFigures(result);
  rows.insert(rows.end(), figures.begin(), figures.end());
  return LabelledTable(rows);
}

CsvTable CyclePointsTable(const cycle::CycleCorners& k) {
  CsvTable table({"Point", "p (bar)", std::string("T (") + kCelsius + ")", "h (kJ/kg)", "s (kJ/kg-K)"});
  const std::pair<const char*, const cycle::DiagramState*> points[] = {
      {"1", &k.suction}, {"2s", &k.isentropic_discharge}, {"2", &k.discharge},
      {"3", &k.condenser_outlet}, {"4", &k.evaporator_inlet}};
  for (const auto& [name, s] : points) {
    table.AddRow({name, Fixed2(s->p), Fixed2(s->T), Fixed2(s->h), cycle::FormatFixed(s->s, 4)});
  }
  return table;
}

CsvTable ComparisonTable(const cycle::ComparisonResults& results) {
  // The command line's figures, under headings with their units.
  const CsvTable figures = ComparisonFigureFields(results).Csv();
  CsvTable table({"Refrigerant", "COP (-)", "Mass per unit heat output (kg/kJ)",
                  "Vapour volume (m3/kg)", "Displacement volume (m3/h)", "Discharge pressure (bar)",
                  std::string("Discharge temperature (") + kCelsius + ")", "Pressure ratio (-)"});
  for (const auto& row : figures.Rows()) table.AddRow(row);
  return table;
}

CsvTable ComparisonTableWithConditions(const cycle::ComparisonResults& results) {
  const CsvTable figures = ComparisonTable(results);
  const LabelledValues conditions = ComparisonConditions(results.Conditions);
  std::vector<std::string> header = figures.Header();
  for (const LabelledValue& c : conditions) header.push_back(c.label + " (" + c.unit + ")");
  CsvTable table(std::move(header));
  for (std::vector<std::string> row : figures.Rows()) {
    for (const LabelledValue& c : conditions) row.push_back(c.value);
    table.AddRow(std::move(row));
  }
  return table;
}

namespace {

// The header, then every row.
std::vector<const std::vector<std::string>*> Lines(const CsvTable& table) {
  std::vector<const std::vector<std::string>*> lines{&table.Header()};
  for (const auto& row : table.Rows()) lines.push_back(&row);
  return lines;
}

}  // namespace

std::string TabSeparated(const CsvTable& table) {
  std::string text;
  for (const auto* line : Lines(table)) {
    for (std::size_t i = 0; i < line->size(); ++i) text.append(i ? "\t" : "").append((*line)[i]);
    text += '\n';
  }
  return text;
}

std::string HtmlTable(const CsvTable& table, std::string_view attributes) {
  std::string html = "<table";
  if (!attributes.empty()) html.append(" ").append(attributes);
  html.append(">\n");
  for (const auto* line : Lines(table)) {
    const char* cell = line == &table.Header() ? "th" : "td";
    html += "<tr>";
    for (const std::string& field : *line) {
      html.append("<").append(cell).append(">").append(EscapeHtml(field));
      html.append("</").append(cell).append(">");
    }
    html += "</tr>\n";
  }
  return html + "</table>\n";
}

}  // namespace report
