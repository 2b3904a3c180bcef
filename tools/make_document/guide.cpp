// The guide in plain words. It names no property figure of its own: the
// figures are in the tables, computed by the program.
#include <algorithm>

#include "document_html.h"
#include "html_text.h"

namespace document {

namespace {

template <typename Entry>
long CountMarkedYes(const std::vector<Entry>& entries, double condensing) {
  return std::count_if(entries.begin(), entries.end(), [&](const Entry& entry) {
    return MarkFor(entry.figures.critical_temperature, condensing) == CondensingMark::Yes;
  });
}

// "101 can condense comfortably at 60 °C, 91 at 90 °C and 74 at 120 °C".
template <typename Entry>
std::string Counts(const std::vector<Entry>& entries) {
  const auto& temps = kMarkedCondensingTemperatures;
  std::string text;
  for (std::size_t i = 0; i < std::size(temps); ++i) {
    text += i == 0 ? "" : i + 1 < std::size(temps) ? ", " : " and ";
    text += std::to_string(CountMarkedYes(entries, temps[i])) +
            (i == 0 ? " can condense comfortably at " : " at ") + Fixed(temps[i], 0) +
            "&nbsp;&deg;C";
  }
  return text;
}

std::string CountsSentence(const Catalogue& catalogue) {
  std::string text = "Of the " + std::to_string(catalogue.fluids.size()) + " pure fluids, " +
                     Counts(catalogue.fluids);
  if (!catalogue.blends.empty()) {
    text += "; of the " + std::to_string(catalogue.blends.size()) + " blends, " +
            Counts(catalogue.blends);
  }
  return text + ".";
}

}  // namespace

std::string GuideHtml(const Catalogue& catalogue) {
  const std::string margin = Fixed(kComfortableMargin, 0);
  return R"(<h2>How to choose a working fluid</h2>
<p>In a heat pump that heats water, the working fluid evaporates at low pressure and takes up
heat from the source (outdoor air, ground, waste water or process heat); the compressor raises
its pressure; in the condenser it gives its heat to the water and becomes liquid again; the
expansion valve lets it back to the low pressure. The condensing temperature lies a few kelvin
above the warmest water the heat pump delivers, the evaporating temperature a few kelvin below
the temperature of the source. Whether a fluid suits these two temperatures can be read from
a handful of figures, which the tables of this document give for every fluid and blend the
program knows.</p>

<h3>1. Critical temperature against condensing temperature</h3>
<p>Above its critical temperature a fluid no longer condenses. The comparison form therefore
refuses every fluid whose critical temperature is not above the condensing temperature. Even
below it, the closer the condensing temperature comes to the critical point, the less heat the
fluid gives off as it condenses: more of the heat comes from cooling superheated vapour, the
pressure is high and the COP falls. Choose a fluid whose critical temperature lies at least
)" + margin +
         R"( K, and better 20 to 30 K, above the condensing temperature. Tables 1 and 2
are sorted by critical temperature and marked for condensing at 60 &deg;C (domestic hot water),
90 &deg;C (heating and process water) and 120 &deg;C (process heat, steam). )" +
         CountsSentence(catalogue) + R"(</p>

<h3>2. Pressure levels</h3>
<p>At a given condensing temperature, a fluid with a low critical temperature runs at high
pressure and a fluid with a high critical temperature at low pressure. High pressures need
heavier pipes, heat exchangers and compressor casings. Low pressures are no better when they
fall below atmospheric pressure in the evaporator: air and moisture leak in, and the vapour is
so thin that the compressor has to move a large volume for every kilowatt. The normal boiling
point shows this at a glance: if it lies above the evaporating temperature, the evaporator runs
below atmospheric pressure. The ratio of condensing to evaporating pressure should stay within
what one compressor stage handles well (roughly up to 6 to 8); beyond that, efficiency and
reliability suffer.</p>

<h3>3. Discharge temperature</h3>
<p>The vapour leaves the compressor hotter than it condenses. The discharge temperature rises
with the pressure ratio and is highest for fluids of small, simple molecules (ammonia, water,
carbon dioxide); for fluids of large molecules it stays close to the condensing temperature.
Compressor oil and valves limit it, in most compressors to about 120 to 140 &deg;C. Table 3
gives discharge pressure and temperature, pressure ratio, COP and the compressor displacement
for the comparison form's default conditions.</p>

<h3>4. Safety class</h3>
<p>The class combines toxicity, A (lower) or B (higher), with flammability: 1 no flame
propagation, 2L lower flammability, 2 flammable, 3 highly flammable. Classes A1 and A2L suit
most installations; A3 fluids (the hydrocarbons) are efficient but limit the charge and call
for installation outdoors or in ventilated rooms; B classes (ammonia) belong in machine rooms
under their own rules. A dash means that the fluid files give no class.</p>

<h3>5. GWP and ODP</h3>
<p>The global warming potential over 100 years (GWP, carbon dioxide = 1) says how strongly a
leaked kilogram warms the climate; the ozone depletion potential (ODP, R11 = 1) how strongly
it destroys stratospheric ozone. Fluids with an ODP above zero (the CFCs and HCFCs, such as R11,
R12 and R22) are no longer allowed in new equipment, and fluids of high GWP are being phased
down by international agreement and regional rules. Prefer fluids of low GWP and no ODP:
natural fluids (hydrocarbons, ammonia, water, carbon dioxide) and the newer HFOs. For a blend
the tables give the mass-weighted mean of its components' values. A fluid without chlorine or
bromine has an ODP of zero. A dash means that no value is on record.</p>

<h3>6. Blends and their glide</h3>
<p>A blend of fluids with different boiling points does not boil at one temperature: at a
given pressure it starts to boil at the bubble point and is completely vapour at the dew point;
the difference is the temperature glide (Table 2 gives it at atmospheric pressure; it usually
shrinks somewhat as the pressure rises). A glide can be put to use in counter-flow heat
exchangers, where it follows the water as it warms, but it makes the condensing and
evaporating temperatures ranges rather than single values, and a leak changes the composition,
because the more volatile component escapes first. Blends with a glide below about 1 K
(azeotropic and near-azeotropic blends, the R500 series among them) behave much like pure
fluids.</p>

<h3>7. Putting it together</h3>
<p>1. Fix the condensing temperature (warmest water plus 5 to 10 K) and the evaporating
temperature (source minus 5 to 10 K).<br>
2. In Table 1 or 2, keep the fluids marked <i>yes</i> for that condensing temperature.<br>
3. Drop those with an ODP above zero; weigh the GWP against the rules that apply.<br>
4. Check the safety class against the place of installation and the charge.<br>
5. Check that the evaporator stays above atmospheric pressure (normal boiling point below
the evaporating temperature) and that the pressures suit the components.<br>
6. Compare the remaining fluids under your own conditions with the comparison form
(Simulation, Choose Type Working Fluids): COP, discharge pressure and temperature, pressure
ratio and displacement. Table 3 shows these figures for the form's default conditions.</p>

<h3>How the figures were obtained</h3>
<p>Every figure of the tables comes from the program's own property layer, the same one that
serves its calculation forms: the critical point, the normal boiling point (saturation at
101.325 kPa; for blends the saturated liquid and vapour) and the molar mass from the property
library, the cycle figures of Table 3 from the comparison's own evaluation. Names and the
literature come from the fluid files; safety classes, GWPs and ODPs from the published
standards (ASHRAE 34, the IPCC's fourth assessment report, the Montreal Protocol's annexes),
else from the fluid files. A dash marks a figure that does
not exist (a fluid whose triple point lies above atmospheric pressure, such as carbon dioxide,
has no normal boiling point) or that the property library could not compute.</p>
)";
}

}  // namespace document
