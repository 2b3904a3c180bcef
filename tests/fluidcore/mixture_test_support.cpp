#include "mixture_test_support.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "fluidcore/entry_points.h"

namespace fluidcore::test {
namespace {

FluidLibrary& fluids() {
  static FluidLibrary library({std::filesystem::path(FLUIDCORE_FLUIDS_DIR).parent_path()});
  return library;
}

MixtureLibrary& mixtures() {
  static MixtureLibrary library(fluids());
  return library;
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  return parts;
}

std::vector<std::string> files_of(const std::vector<std::string>& names) {
  std::vector<std::string> files;
  for (const auto& n : names) files.push_back("fluids/" + n + ".fld");
  return files;
}

}  // namespace

std::shared_ptr<const MixingRules> mixing_rules() {
  static const auto rules = [] {
    std::ifstream in(std::string(FLUIDCORE_FLUIDS_DIR) + "/hmx.bnc");
    std::ostringstream text;
    text << in.rdbuf();
    return std::make_shared<const MixingRules>(MixingRules::parse(text.str(), "hmx.bnc"));
  }();
  return rules;
}

std::shared_ptr<const Mixture> mixture(const std::string& name) {
  if (name == "air") return mixtures().load(files_of({"Nitrogen", "Argon", "Oxygen"}), "fluids/hmx.bnc");
  if (name.find('/') != std::string::npos)
    return mixtures().load(files_of(split(name, '/')), "fluids/hmx.bnc");
  return mixtures().load_blend(name, "fluids/hmx.bnc")->model;
}

Fractions fractions(const std::vector<double>& x) {
  Fractions f{};
  for (std::size_t i = 0; i < x.size(); ++i) f[i] = x[i];
  return f;
}

const FixedMixture& fixed(const std::string& name) {
  static std::map<std::string, std::unique_ptr<FixedMixture>> cache;
  auto& slot = cache[name];
  if (!slot) {
    if (name == "air")
      slot = std::make_unique<FixedMixture>(mixture(name), fractions({0.7812, 0.0092, 0.2096}), name);
    else if (name.find('/') != std::string::npos)
      slot = std::make_unique<FixedMixture>(mixture(name), fractions({0.5, 0.5}), name);
    else
      slot = std::make_unique<FixedMixture>(mixture(name),
                                            *mixtures().load_blend(name, "fluids/hmx.bnc")->composition,
                                            name);
  }
  return *slot;
}

const FixedMixture& reference_mixture(const Row& row) {
  static std::map<std::string, std::unique_ptr<FixedMixture>> cache;
  auto& slot = cache[row.text("mixture")];
  if (!slot) {
    std::vector<double> x;
    for (const auto& v : split(row.text("mole_fractions"), ';')) x.push_back(std::stod(v));
    const auto model = mixtures().load(files_of(split(row.text("components"), '&')), "fluids/hmx.bnc");
    slot = std::make_unique<FixedMixture>(model, fractions(x), row.text("mixture"));
  }
  return *slot;
}

int setup_components(const std::string& files, int n, std::string* message) {
  std::string list = files + std::string(files.size() < 10000 ? 10000 - files.size() : 0, ' ');
  std::string mix = "fluids\\hmx.bnc" + std::string(241, ' '), ref = "DEF";
  std::string herr(255, '\0');
  int ierr = -12345;
  SETUPdll(&n, list.data(), mix.data(), ref.data(), &ierr, herr.data(), 10000, 255, 3, 255);
  if (message) *message = herr.substr(0, herr.find_last_not_of(' ') + 1);
  return ierr;
}

}  // namespace fluidcore::test
