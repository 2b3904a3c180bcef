#include "document_html.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "html_text.h"

namespace document {

namespace {

constexpr const char* kStyle = R"(
body { font-family: 'DejaVu Sans'; font-size: 9pt; color: #1a1a1a; }
h1 { font-size: 19pt; font-weight: bold; color: #123a5c; margin-bottom: 2pt; }
h2 { font-size: 13pt; font-weight: bold; color: #123a5c; margin-top: 14pt; margin-bottom: 4pt; }
h2.newpage { page-break-before: always; margin-top: 0pt; }
h3 { font-size: 10pt; font-weight: bold; color: #123a5c; margin-top: 9pt; margin-bottom: 2pt; }
p { margin-top: 2pt; margin-bottom: 4pt; line-height: 125%; }
p.subtitle { font-size: 11pt; color: #3c5a78; margin-bottom: 12pt; line-height: 115%; }
p.note { font-size: 8pt; color: #404040; margin-bottom: 6pt; line-height: 115%; }
table.figures { font-size: 7.5pt; border-collapse: collapse; }
th { font-weight: bold; background-color: #dde6ef; color: #123a5c; }
td.yes { background-color: #cfe8cf; }
td.close { background-color: #f6e3b4; }
td.no { color: #9a9a9a; }
)";

constexpr const char* kRowShade = "#f3f5f8";

std::string Cell(const std::string& html, const char* align = "right", const char* css = nullptr) {
  std::string cell = std::string("<td valign=\"top\" align=\"") + align + "\"";
  if (css != nullptr) cell += std::string(" class=\"") + css + "\"";
  return cell + ">" + html + "</td>";
}

std::string TextCell(const std::string& html) { return Cell(html, "left"); }

struct Column {
  std::string heading;  // HTML
  int width_percent;
  const char* align = "center";  // "left" above a column of names and texts
};

// A table whose header row repeats on every page it spans.
class Table {
 public:
  explicit Table(std::vector<Column> columns) : columns_(std::move(columns)) {}

  void AddRow(const std::vector<std::string>& cells) { AddRows({cells}); }

  // Rows that belong together, shaded alike.
  void AddRows(const std::vector<std::vector<std::string>>& rows) {
    const std::string open =
        groups_++ % 2 == 1 ? std::string("<tr bgcolor=\"") + kRowShade + "\">" : "<tr>";
    for (const auto& cells : rows) {
      html_ += open;
      for (const auto& cell : cells) html_ += cell;
      html_ += "</tr>\n";
    }
  }

  std::string Html() const {
    std::string html =
        "<table class=\"figures\" width=\"100%\" border=\"0\" cellspacing=\"0\" "
        "cellpadding=\"2\"><thead><tr>";
    for (const Column& column : columns_) {
      html += "<th width=\"" + std::to_string(column.width_percent) + "%\" align=\"" +
              column.align + "\" valign=\"bottom\">" + column.heading + "</th>";
    }
    return html + "</tr></thead>\n" + html_ + "</table>\n";
  }

 private:
  std::vector<Column> columns_;
  std::string html_;
  int groups_ = 0;
};

std::string MarkCell(std::optional<double> critical_temperature, double condensing) {
  switch (MarkFor(critical_temperature, condensing)) {
    case CondensingMark::Yes:
      return Cell("yes", "center", "yes");
    case CondensingMark::Close:
      return Cell("close", "center", "close");
    case CondensingMark::No:
      return Cell("no", "center", "no");
    case CondensingMark::Unknown:
      break;
  }
  return Cell(std::string(kDash), "center");
}

std::vector<Column> MarkColumns() {
  std::vector<Column> columns;
  for (const double t : kMarkedCondensingTemperatures) {
    columns.push_back({Fixed(t, 0) + "<br>&deg;C", 6});
  }
  return columns;
}

std::string Celsius(double t) { return Fixed(t, 0) + "&nbsp;&deg;C"; }

// Highest critical temperature first; fluids without one last, by name.
template <typename Entry>
std::vector<const Entry*> ByCriticalTemperature(const std::vector<Entry>& entries) {
  std::vector<const Entry*> sorted;
  for (const Entry& entry : entries) sorted.push_back(&entry);
  std::stable_sort(sorted.begin(), sorted.end(), [](const Entry* a, const Entry* b) {
    const auto& ta = a->figures.critical_temperature;
    const auto& tb = b->figures.critical_temperature;
    if (ta && tb) return *ta > *tb;
    return ta.has_value() && !tb.has_value();
  });
  return sorted;
}

std::string FluidLabel(const PureFluidFacts& facts) {
  std::string label = Escape(facts.name);
  if (const auto number = catalogue::RefrigerantNumber(facts)) label += " (" + Escape(*number) + ")";
  return label;
}

std::string TitleHtml(const Catalogue& catalogue) {
  return "<h1>Selection of the working fluid</h1>"
         "<p class=\"subtitle\">for water-heating vapour-compression heat pumps: the figures of "
         "the " +
         std::to_string(catalogue.fluids.size()) + " pure fluids and " +
         std::to_string(catalogue.blends.size()) +
         " blends of the program, and how to choose among them</p>";
}

std::string PureFluidTableHtml(const Catalogue& catalogue) {
  std::vector<Column> columns{{"Fluid", 22, "left"},
                              {"Molar mass<br>g/mol", 9},
                              {"Critical temp.<br>&deg;C", 9},
                              {"Critical pressure<br>bar", 9},
                              {"Normal boiling point<br>&deg;C", 10},
                              {"Safety class", 7},
                              {"GWP<br>100&nbsp;a", 8},
                              {"ODP", 8}};
  const auto marks = MarkColumns();
  columns.insert(columns.end(), marks.begin(), marks.end());
  Table table(columns);
  for (const PureFluidEntry* fluid : ByCriticalTemperature(catalogue.fluids)) {
    const Figures& f = fluid->figures;
    std::vector<std::string> cells{
        TextCell(FluidLabel(fluid->facts)),
        Cell(Fixed(f.molar_mass, 3)),
        Cell(Fixed(f.critical_temperature, 2)),
        Cell(Fixed(f.critical_pressure, 2)),
        Cell(Fixed(f.bubble_point, 2)),
        Cell(Escape(fluid->facts.safety_class.value_or(std::string(kDash))), "center"),
        Cell(Short(fluid->facts.gwp100)),
        Cell(Short(fluid->facts.odp))};
    for (const double t : kMarkedCondensingTemperatures) {
      cells.push_back(MarkCell(f.critical_temperature, t));
    }
    table.AddRow(cells);
  }
  return "<h2 class=\"newpage\">Table 1. Pure fluids by critical temperature</h2>"
         "<p class=\"note\">Highest critical temperature first. The last three columns: can the "
         "fluid condense at 60, 90 or 120 &deg;C? <i>yes</i>: the critical temperature lies at "
         "least " +
         Fixed(kComfortableMargin, 0) +
         " K above; <i>close</i>: above, but by less "
         "than " +
         Fixed(kComfortableMargin, 0) +
         " K; <i>no</i>: the fluid cannot condense "
         "there and the comparison form refuses it. Normal boiling point: saturation at "
         "101.325 kPa. A dash: no figure (see the guide).</p>" +
         table.Html();
}

// The usual notation of a blend's composition: "R32/R125 50/50", mass
// percent.
std::string ComponentsText(const BlendEntry& blend) {
  if (blend.parts.empty()) return std::string(kDash);
  std::string names;
  std::string percents;
  for (const BlendPart& part : blend.parts) {
    // A zero-width space after each slash lets long lists wrap there.
    names += (names.empty() ? "" : "/&#8203;") + Escape(part.fluid);
    const auto percent =
        part.mass_fraction ? std::optional(*part.mass_fraction * 100) : std::nullopt;
    percents += (percents.empty() ? "" : "/&#8203;") + Short(percent);
  }
  return names + " " + percents;
}

std::optional<double> Glide(const Figures& f) {
  if (!f.bubble_point || !f.dew_point) return std::nullopt;
  return *f.dew_point - *f.bubble_point;
}

std::string BlendTableHtml(const Catalogue& catalogue) {
  std::vector<Column> columns{{"Blend", 8, "left"},
                              {"Components<br>mass %", 17, "left"},
                              {"Molar mass<br>g/mol", 7},
                              {"Critical<br>temp.<br>&deg;C", 7},
                              {"Critical<br>pressure<br>bar", 9},
                              {"Bubble point<br>&deg;C", 7},
                              {"Dew point<br>&deg;C", 7},
                              {"Glide<br>K", 6},
                              {"GWP*<br>100&nbsp;a", 7},
                              {"ODP*", 7}};
  const auto marks = MarkColumns();
  columns.insert(columns.end(), marks.begin(), marks.end());
  Table table(columns);
  for (const BlendEntry* blend : ByCriticalTemperature(catalogue.blends)) {
    const Figures& f = blend->figures;
    std::vector<std::string> cells{
        TextCell(Escape(blend->name)),       TextCell(ComponentsText(*blend)),
        Cell(Fixed(f.molar_mass, 2)),        Cell(Fixed(f.critical_temperature, 2)),
        Cell(Fixed(f.critical_pressure, 2)), Cell(Fixed(f.bubble_point, 2)),
        Cell(Fixed(f.dew_point, 2)),         Cell(Fixed(Glide(f), 2)),
        Cell(Short(blend->gwp100)),          Cell(Short(blend->odp))};
    for (const double t : kMarkedCondensingTemperatures) {
      cells.push_back(MarkCell(f.critical_temperature, t));
    }
    table.AddRow(cells);
  }
  std::string html = "<h2 class=\"newpage\">Table 2. Blends by critical temperature</h2>";
  if (catalogue.blends.empty()) return html + "<p>The program has no blend files.</p>";
  return html +
         "<p class=\"note\">Highest critical temperature first; the marks as in Table 1. Bubble "
         "and dew point: where the blend, at 101.325 kPa, starts to boil and where it is "
         "completely vapour; the glide is their difference. *GWP and ODP of a blend: the "
         "mass-weighted mean of its components' values (a dash when a component has none).</p>" +
         table.Html();
}

// Two decimals, as the result pages show bar; the pressures of fluids far
// below their boiling point keep three significant digits instead.
std::string Pressure(std::optional<double> bar) {
  return bar && std::fabs(*bar) < 1 ? Short(bar) : Fixed(bar, 2);
}

std::string ReferenceCycleTableHtml(const Catalogue& catalogue) {
  struct Row {
    std::string name;
    const Figures* figures;
  };
  std::vector<Row> rows;
  const cycle::ComparisonConditions c = ReferenceConditions();
  const auto add_if_eligible = [&](const std::string& name, const Figures& f) {
    if (MarkFor(f.critical_temperature, c.TemperatureCondensing) == CondensingMark::Yes ||
        MarkFor(f.critical_temperature, c.TemperatureCondensing) == CondensingMark::Close) {
      rows.push_back({name, &f});
    }
  };
  for (const auto& fluid : catalogue.fluids)
    add_if_eligible(FluidLabel(fluid.facts), fluid.figures);
  for (const auto& blend : catalogue.blends) add_if_eligible(Escape(blend.name), blend.figures);
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    return *a.figures->critical_temperature > *b.figures->critical_temperature;
  });

  Table table({{"Fluid or blend", 22, "left"},
               {"Critical temp.<br>&deg;C", 9},
               {"COP", 7},
               {"Discharge pressure<br>bar", 10},
               {"Discharge temp.<br>&deg;C", 10},
               {"Pressure ratio", 9},
               {"Displace&shy;ment<br>m&sup3;/h", 11},
               {"Suction vapour volume<br>m&sup3;/kg", 11},
               {"Mass per heat<br>kg/kJ", 11}});
  for (const Row& row : rows) {
    const auto& cycle = row.figures->reference_cycle;
    const auto figure = [&](double cycle::CycleFigures::*field) -> std::optional<double> {
      if (!cycle) return std::nullopt;
      return (*cycle).*field;
    };
    table.AddRow({TextCell(row.name), Cell(Fixed(row.figures->critical_temperature, 2)),
                  Cell(Fixed(figure(&cycle::CycleFigures::COP), 2)),
                  Cell(Pressure(figure(&cycle::CycleFigures::DischargePressure))),
                  Cell(Fixed(figure(&cycle::CycleFigures::DischargeTemperature), 1)),
                  Cell(Short(figure(&cycle::CycleFigures::PressureRatio))),
                  Cell(Short(figure(&cycle::CycleFigures::DisplacementVolume))),
                  Cell(Short(figure(&cycle::CycleFigures::VaporVolume))),
                  Cell(Short(figure(&cycle::CycleFigures::MassPerHeat)))});
  }
  return "<h2 class=\"newpage\">Table 3. The comparison form's default cycle</h2>"
         "<p class=\"note\">What the comparison form (Simulation, Choose Type Working Fluids) "
         "shows for each fluid when Calculate is pressed with its default conditions: "
         "evaporator heat capacity " +
         Short(c.HeatCapEvap) + " kW, evaporating at " + Celsius(c.TempEvap) + ", condensing at " +
         Celsius(c.TemperatureCondensing) + ", subcooling " + Short(c.Subcooling) +
         " K, superheating " + Short(c.Superheating) + " K, safety factor " +
         Short(c.Safetyfactor) + " %, isentropic efficiency " + Short(c.Isotropicefficiency) +
         " %. Every fluid and blend whose critical temperature "
         "lies above the condensing temperature, highest critical temperature first. Discharge "
         "pressure: the condensing pressure. Displacement: the compressor's swept volume for "
         "the evaporator's heat capacity.</p>" +
         table.Html();
}

std::string SourcesText(const std::vector<std::string>& sources) {
  if (sources.empty()) return std::string(kDash);
  if (sources.size() == 1) return Escape(sources.front());
  std::string text;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    text += (i == 0 ? "" : "<br>") + std::to_string(i + 1) + ". " + Escape(sources[i]);
  }
  return text;
}

std::string FluidRegisterHtml(const Catalogue& catalogue) {
  Table table({{"Fluid", 16, "left"},
               {"Aliases", 16, "left"},
               {"CAS number", 9, "left"},
               {"Formula", 10, "left"},
               {"Equation of state", 49, "left"}});
  for (const PureFluidEntry& fluid : catalogue.fluids) {
    std::string aliases;
    for (const auto& alias : fluid.facts.aliases) {
      aliases += (aliases.empty() ? "" : ", ") + Escape(alias);
    }
    table.AddRow({TextCell(Escape(fluid.facts.name)),
                  TextCell(aliases.empty() ? std::string(kDash) : aliases),
                  TextCell(fluid.facts.cas.empty() ? std::string(kDash) : Escape(fluid.facts.cas)),
                  TextCell(fluid.facts.formula.empty() ? std::string(kDash)
                                                       : FormulaHtml(fluid.facts.formula)),
                  TextCell(SourcesText(fluid.facts.equation_sources))});
  }
  return "<h2 class=\"newpage\">Register of the pure fluids</h2>"
         "<p class=\"note\">By name. Every name and alias may be typed into the program's "
         "refrigerant boxes; letter case does not matter. Each fluid is computed with the "
         "multiparameter Helmholtz-energy equation of state published in the source named "
         "here.</p>" +
         table.Html();
}

// The publications behind the blends' binary parameters, numbered in the
// order they are first cited.
class SourceList {
 public:
  std::string Cite(const std::vector<std::string>& sources) {
    std::string marks;
    for (const auto& source : sources) {
      auto found = std::find(sources_.begin(), sources_.end(), source);
      if (found == sources_.end()) found = sources_.insert(sources_.end(), source);
      marks += (marks.empty() ? " [" : ", ") + std::to_string(found - sources_.begin() + 1);
    }
    return marks.empty() ? marks : marks + "]";
  }

  std::string Html() const {
    if (sources_.empty()) return {};
    std::string html = "<h3>Sources of the binary parameters</h3>";
    for (std::size_t i = 0; i < sources_.size(); ++i) {
      html += "<p class=\"note\">[" + std::to_string(i + 1) + "] " + Escape(sources_[i]) + "</p>";
    }
    return html;
  }

 private:
  std::vector<std::string> sources_;
};

std::string PairLine(const BlendPair& pair, SourceList& sources) {
  std::string line = Escape(pair.fluid1) + "/" + Escape(pair.fluid2) + ": ";
  if (!pair.parameters) return line + "<i>estimated</i>";
  line += "fitted";
  if (!pair.parameters->departure.empty()) {
    line += ", departure " + Escape(pair.parameters->departure);
  }
  return line + sources.Cite(pair.parameters->sources);
}

// One row per component, the blend's binary pairs beside them, one a row;
// a blend of more pairs than components continues below its components.
std::vector<std::vector<std::string>> BlendRows(const BlendEntry& blend, SourceList& sources) {
  const auto percent = [](std::optional<double> fraction) {
    return Fixed(fraction ? std::optional(*fraction * 100) : std::nullopt, 2);
  };
  const std::size_t count = std::max<std::size_t>({blend.parts.size(), blend.pairs.size(), 1});
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < count; ++i) {
    std::vector<std::string> row{TextCell(i == 0 ? Escape(blend.name) : std::string())};
    if (i < blend.parts.size()) {
      const BlendPart& part = blend.parts[i];
      row.insert(row.end(), {TextCell(Escape(part.fluid)), Cell(percent(part.mass_fraction)),
                             Cell(percent(part.mole_fraction)),
                             Cell(Escape(part.safety_class.value_or(std::string(kDash))), "center"),
                             Cell(Short(part.gwp100)), Cell(Short(part.odp))});
    } else {
      const std::string none = blend.parts.empty() ? std::string(kDash) : std::string();
      row.insert(row.end(), {TextCell(none), Cell(""), Cell(""), Cell(""), Cell(""), Cell("")});
    }
    row.push_back(TextCell(i < blend.pairs.size() ? PairLine(blend.pairs[i], sources) : ""));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string BlendRegisterHtml(const Catalogue& catalogue) {
  if (catalogue.blends.empty()) return {};
  SourceList sources;
  Table table({{"Blend", 8, "left"},
               {"Component", 14, "left"},
               {"Mass %", 7},
               {"Mole %", 7},
               {"Class", 6},
               {"GWP<br>100&nbsp;a", 6},
               {"ODP", 6},
               {"Binary pairs of the mixture model", 46, "left"}});
  for (const BlendEntry& blend : catalogue.blends) table.AddRows(BlendRows(blend, sources));
  return "<h2 class=\"newpage\">Register of the blends</h2>"
         "<p class=\"note\">By name: the components of each blend as the program loads them "
         "from its mixture file, with their own safety class, GWP and ODP. A blend is computed "
         "with the multi-fluid mixture model: the equations of state of its components "
         "(register of the pure fluids), combined through reducing functions for temperature "
         "and density. For each pair of components: <i>fitted</i>, the binary parameters were "
         "fitted to measurements of the pair (source in brackets), and <i>departure</i> names "
         "the departure function added where one was published; <i>estimated</i>, no "
         "parameters were published and the library uses an estimate, so the blend's figures "
         "are less certain.</p>" +
         table.Html() + sources.Html();
}

}  // namespace

CondensingMark MarkFor(std::optional<double> critical_temperature, double condensing) {
  if (!critical_temperature) return CondensingMark::Unknown;
  if (condensing >= *critical_temperature) return CondensingMark::No;
  if (*critical_temperature - condensing < kComfortableMargin) return CondensingMark::Close;
  return CondensingMark::Yes;
}

std::string DocumentHtml(const Catalogue& catalogue) {
  return std::string("<html><head><meta charset=\"utf-8\"><style>") + kStyle +
         "</style></head><body>" + TitleHtml(catalogue) + GuideHtml(catalogue) +
         PureFluidTableHtml(catalogue) + BlendTableHtml(catalogue) +
         ReferenceCycleTableHtml(catalogue) + FluidRegisterHtml(catalogue) +
         BlendRegisterHtml(catalogue) + "</body></html>";
}

}  // namespace document
