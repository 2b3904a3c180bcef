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
  const struct {
    double p, T, h;
    const char* enthalpy;  // what the page's enthalpy of the point is
  } points[] = {{r.P1, r.T1, r.H1, "enthalpy"},
                {r.P2, r.T2, r.H2, "enthalpy (isentropic discharge)"},
                {r.P3, r.T3, r.H3, "enthalpy"},
                {r.P4, r.T4, r.H4, "enthalpy"}};
  for (std::size_t i = 0; i < std::size(points); ++i) {
    const std::string point = "Point " + std::to_string(i + 1) + " ";
    figures.push_back({point + "pressure", Fixed2(points[i].p), "bar"});
    figures.push_back({point + "temperature", Fixed2(points[i].T), kCelsius});
    figures.push_back({point + points[i].enthalpy, Fixed2(points[i].h), "kJ/kg"});
  }
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
