// The rich text of the document for a small catalogue: blend notation, pair
// sources, ordering by critical temperature, and dashes.
#include "document_html.h"

#include <gtest/gtest.h>

#include "catalogue.h"

namespace document {
namespace {

PureFluidEntry Fluid(const std::string& name, const std::string& cas,
                     std::optional<double> molar_mass, std::optional<double> critical_temperature) {
  PureFluidEntry entry;
  entry.facts.file_stem = entry.facts.name = name;
  entry.facts.cas = cas;
  entry.figures.molar_mass = molar_mass;
  entry.figures.critical_temperature = critical_temperature;
  return entry;
}

Catalogue SmallCatalogue() {
  Catalogue catalogue;
  catalogue.fluids = {Fluid("R32", "75-10-5", 52.024, 78.105),
                      Fluid("R125", "354-33-6", 120.02, 66.02),
                      Fluid("Unloadable", "", std::nullopt, std::nullopt),
                      Fluid("Water", "7732-18-5", 18.015, 373.946)};
  Figures blend;
  blend.critical_temperature = 71.3;
  // Equal masses of R32 and R125.
  const double n32 = 1 / 52.024;
  const double n125 = 1 / 120.02;
  blend.components = {{"R32", n32 / (n32 + n125)}, {"R125", n125 / (n32 + n125)}};
  const std::vector<MixingPair> pairs{
      {"R32", "R125", "75-10-5", "354-33-6", "R32-R125", {"Lemmon and Jacobsen 2004"}}};
  catalogue.blends.push_back(MakeBlendEntry("R410A", blend, catalogue.fluids, pairs));
  return catalogue;
}

std::size_t At(const std::string& html, const std::string& text) {
  const auto at = html.find(text);
  EXPECT_NE(at, std::string::npos) << text;
  return at;
}

TEST(DocumentHtml, WritesABlendsCompositionInTheUsualNotation) {
  const std::string html = DocumentHtml(SmallCatalogue());
  At(html, "R32/&#8203;R125 50/&#8203;50");
}

TEST(DocumentHtml, CitesTheSourceOfEachFittedPairOnce) {
  const std::string html = DocumentHtml(SmallCatalogue());
  At(html, "R32/R125: fitted, departure R32-R125 [1]");
  At(html, "[1] Lemmon and Jacobsen 2004");
}

TEST(DocumentHtml, CountsTheFluidsThatCanCondenseComfortablyAtEachTemperature) {
  // R32 (78.1 degrees C) 18 K above 60, R125 (66.0) only 6 K, water above all.
  At(DocumentHtml(SmallCatalogue()),
     "Of the 4 pure fluids, 2 can condense comfortably at 60&nbsp;&deg;C, 1 at 90&nbsp;&deg;C and "
     "1 at 120&nbsp;&deg;C; of the 1 blends, 1 can condense comfortably at 60&nbsp;&deg;C, 0 at "
     "90&nbsp;&deg;C and 0 at 120&nbsp;&deg;C.");
}

TEST(DocumentHtml, SortsTheTablesByCriticalTemperatureWithUnknownsLast) {
  const std::string html = DocumentHtml(SmallCatalogue());
  const std::string table =
      html.substr(At(html, "Table 1."), At(html, "Table 2.") - At(html, "Table 1."));
  EXPECT_LT(At(table, ">Water<"), At(table, ">R32<"));
  EXPECT_LT(At(table, ">R32<"), At(table, ">R125<"));
  EXPECT_LT(At(table, ">R125<"), At(table, ">Unloadable<"));
  // A fluid without figures: a dash in each of its ten figure cells.
  std::string row = table.substr(At(table, ">Unloadable<"));
  row = row.substr(0, row.find("</tr>"));
  int dashes = 0;
  for (auto at = row.find(">\u2013</td>"); at != std::string::npos;
       at = row.find(">\u2013</td>", at + 1)) {
    ++dashes;
  }
  EXPECT_EQ(dashes, 10) << row;
}

}  // namespace
}  // namespace document
