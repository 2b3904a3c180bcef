#include "fluidcore/fluid_file.h"

#include "c_text.h"
#include "fluidcore/saturation.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

namespace fluidcore {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string lower(std::string_view s) {
  std::string r(s);
  std::transform(r.begin(), r.end(), r.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return r;
}

// nlohmann's messages start with "[json.exception...] ": keep the plain part.
std::string plain(const std::exception& e) {
  std::string m = e.what();
  if (!m.empty() && m[0] == '[') {
    const auto close = m.find("] ");
    if (close != std::string::npos) m = m.substr(close + 2);
  }
  return m;
}

double number(const json& j, const char* key) {
  const auto& v = j.at(key);
  if (!v.is_number()) throw FluidFileError(std::string("'") + key + "' is not a number");
  const double d = v.get<double>();
  if (!std::isfinite(d)) throw FluidFileError(std::string("'") + key + "' is not finite");
  return d;
}

double positive(const json& j, const char* key) {
  const double d = number(j, key);
  if (!(d > 0)) throw FluidFileError(std::string("'") + key + "' is not positive");
  return d;
}

int whole(const json& j, const char* key) {
  const double d = number(j, key);
  if (d != std::floor(d) || d < 0 || d > 64)
    throw FluidFileError(std::string("'") + key + "' is not a whole number from 0 to 64");
  return static_cast<int>(d);
}

std::vector<double> numbers(const json& j, const char* key) {
  std::vector<double> r;
  for (const auto& v : j.at(key)) {
    if (!v.is_number()) throw FluidFileError(std::string("'") + key + "' holds a non-number");
    r.push_back(v.get<double>());
  }
  if (r.empty()) throw FluidFileError(std::string("'") + key + "' is empty");
  return r;
}

template <class F>
auto list(const json& groups, const char* key, F make) {
  std::vector<decltype(make(json{}))> r;
  if (groups.contains(key))
    for (const auto& t : groups.at(key)) r.push_back(make(t));
  return r;
}

TermGroups term_groups(const json& g) {
  static const char* const known[] = {"power", "gaussian", "double_exponential",
                                      "gao_b", "nonanalytic", "gaussian_linear"};
  for (const auto& item : g.items()) {
    const std::string& key = item.key();
    if (std::find_if(std::begin(known), std::end(known),
                     [&](const char* k) { return key == k; }) == std::end(known))
      throw FluidFileError("unknown term group '" + key + "'");
  }
  TermGroups r;
  r.power = list(g, "power", [](const json& t) {
    return PowerTerm{number(t, "n"), number(t, "t"), number(t, "c"), whole(t, "d"),
                     whole(t, "l")};
  });
  r.gaussian = list(g, "gaussian", [](const json& t) {
    return GaussianTerm{number(t, "n"), number(t, "t"), number(t, "eta"),
                        number(t, "epsilon"), number(t, "beta"), number(t, "gamma"),
                        whole(t, "d")};
  });
  r.double_exponential = list(g, "double_exponential", [](const json& t) {
    return DoubleExponentialTerm{number(t, "n"), number(t, "t"), number(t, "gd"),
                                 number(t, "gt"), number(t, "lt"), whole(t, "d"),
                                 whole(t, "ld")};
  });
  r.gao_b = list(g, "gao_b", [](const json& t) {
    return GaoBTerm{number(t, "n"),    number(t, "t"),     number(t, "eta"),
                    number(t, "epsilon"), number(t, "beta"), number(t, "gamma"),
                    number(t, "b"),    whole(t, "d")};
  });
  r.nonanalytic = list(g, "nonanalytic", [](const json& t) {
    return NonanalyticTerm{number(t, "n"), number(t, "a"), number(t, "b"),
                           number(t, "beta"), number(t, "A"), number(t, "B"),
                           number(t, "C"), number(t, "D")};
  });
  r.gaussian_linear = list(g, "gaussian_linear", [](const json& t) {
    return GaussianLinearTerm{number(t, "n"), number(t, "t"), number(t, "eta"),
                              number(t, "epsilon"), number(t, "beta"), number(t, "gamma"),
                              whole(t, "d")};
  });
  return r;
}

IdealGasHelmholtz ideal_gas(const json& j) {
  IdealGasHelmholtz r;
  r.a1 = number(j, "a1");
  r.a2 = number(j, "a2");
  r.c_log_tau = number(j, "c_log_tau");
  r.c_tau_log_tau = number(j, "c_tau_log_tau");
  r.power = list(j, "power", [](const json& t) {
    return IdealGasHelmholtz::Power{number(t, "n"), number(t, "t")};
  });
  r.planck_einstein = list(j, "planck_einstein", [](const json& t) {
    return IdealGasHelmholtz::PlanckEinstein{number(t, "n"), number(t, "theta"),
                                             number(t, "c"), number(t, "d")};
  });
  return r;
}

SaturationCurve saturation(const json& j) {
  std::vector<SaturationCurve::Piece> pieces;
  for (const auto& p : j.at("pieces"))
    pieces.push_back({number(p, "Tmin"), number(p, "Tmax"), numbers(p, "p"),
                      numbers(p, "rhoL"), numbers(p, "rhoV")});
  try {
    return SaturationCurve(std::move(pieces), positive(j, "Tcrit"), positive(j, "rhocrit"));
  } catch (const std::invalid_argument& e) {
    throw FluidFileError(e.what());
  }
}

PureFluid fluid_from_json(const json& j) {
  if (j.value("format", "") != "fluidcore-fluid 1")
    throw FluidFileError("not a fluid file (format \"fluidcore-fluid 1\" expected)");
  PureFluid f;
  f.name = j.at("name").get<std::string>();
  for (const auto& a : j.at("aliases")) f.aliases.push_back(a.get<std::string>());
  if (const auto cas = j.find("cas"); cas != j.end() && cas->is_string()) f.cas = cas->get<std::string>();
  f.molar_mass = positive(j, "molar_mass");
  f.gas_constant = positive(j, "gas_constant");
  f.T_reducing = positive(j.at("reducing"), "T");
  f.rho_reducing = positive(j.at("reducing"), "rho");
  const auto& c = j.at("critical");
  f.critical = {positive(c, "T"), positive(c, "p"), positive(c, "rho")};
  const auto& t = j.at("triple");
  f.triple = {positive(t, "T"), number(t, "p_liquid"), number(t, "rho_liquid"),
              number(t, "rho_vapour")};
  const auto& l = j.at("limits");
  f.limits = {positive(l, "Tmin"), positive(l, "Tmax"), positive(l, "pmax")};
  f.ideal = ideal_gas(j.at("alpha0"));
  f.residual = ResidualHelmholtz(term_groups(j.at("alphar")));
  f.saturation = saturation(j.at("saturation"));
  if (!(f.limits.Tmax > f.limits.Tmin) || f.limits.Tmin < f.saturation.Tmin() * (1 - 1e-12))
    throw FluidFileError("the limits do not fit the saturation curve");
  f.psat_min = saturation_point(f, f.limits.Tmin).p;
  return f;
}

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FluidFileError("cannot read fluid file " + path.string());
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::optional<fs::path> find_alias(const fs::path& dir, const std::string& stem) {
  const auto index = find_ignoring_case(dir, "aliases.json");
  if (!index) return std::nullopt;
  try {
    const json j = json::parse(read_file(*index));
    const auto& aliases = j.at("aliases");
    const auto it = aliases.find(lower(stem));
    if (it == aliases.end() || !it->is_string()) return std::nullopt;
    return find_ignoring_case(dir, it->get<std::string>());
  } catch (const std::exception&) {
    return std::nullopt;  // a broken index only loses the aliases
  }
}

std::optional<fs::path> find_fluid(const fs::path& dir, const std::string& file) {
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return std::nullopt;
  const bool has_ext = lower(fs::path(file).extension().string()) == ".fld";
  if (auto p = find_ignoring_case(dir, file)) return p;
  if (!has_ext)
    if (auto p = find_ignoring_case(dir, file + ".fld")) return p;
  return find_alias(dir, has_ext ? fs::path(file).stem().string() : file);
}

}  // namespace

std::optional<fs::path> find_ignoring_case(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  if (fs::is_regular_file(dir / name, ec)) return dir / name;
  const std::string want = lower(name);
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    if (lower(it->path().filename().string()) == want && it->is_regular_file(ec))
      return it->path();
  return std::nullopt;
}

TermGroups parse_term_groups(const json& groups, const std::string& origin) {
  try {
    return term_groups(groups);
  } catch (const FluidFileError& e) {
    throw FluidFileError(origin + " is malformed: " + e.what());
  } catch (const json::exception& e) {
    throw FluidFileError(origin + " is malformed: " + plain(e));
  }
}

PureFluid parse_fluid_file(const std::string& text, const std::string& origin) {
  try {
    return fluid_from_json(json::parse(text));
  } catch (const FluidFileError& e) {
    throw FluidFileError("fluid file " + origin + " is malformed: " + e.what());
  } catch (const json::exception& e) {
    throw FluidFileError("fluid file " + origin + " is malformed: " + plain(e));
  }
}

FluidLibrary::FluidLibrary(std::vector<fs::path> data_dirs) : data_dirs_(std::move(data_dirs)) {}

fs::path FluidLibrary::resolve(std::string_view name) const {
  std::string given(name);
  std::replace(given.begin(), given.end(), '\\', '/');
  const auto first = given.find_first_not_of(" \t");
  const auto last = given.find_last_not_of(" \t");
  given = first == std::string::npos ? "" : given.substr(first, last - first + 1);
  if (given.empty() || given.back() == '/')
    throw FluidFileError("no fluid file named (\"" + c_text::shortened(name) + "\")");
  const fs::path path(given);
  const std::string file = path.filename().string();
  const std::vector<fs::path> dirs = search_dirs(path.parent_path());
  for (const auto& dir : dirs)
    if (auto found = find_fluid(dir, file)) return *found;
  std::string searched;
  for (const auto& dir : dirs) searched += (searched.empty() ? "" : ", ") + dir.string();
  throw FluidFileError("fluid file " + c_text::shortened(name) + " not found (searched " + searched +
                       ")");
}

std::vector<fs::path> FluidLibrary::search_dirs(const fs::path& folder) const {
  if (folder.is_absolute()) return {folder};
  std::error_code ec;
  std::vector<fs::path> dirs{(fs::current_path(ec) / folder).lexically_normal()};
  // Started from the program's own folder, the working directory is a data
  // directory too: each folder once.
  for (const auto& d : data_dirs_)
    if (auto dir = (d / folder).lexically_normal(); std::find(dirs.begin(), dirs.end(), dir) == dirs.end())
      dirs.push_back(std::move(dir));
  return dirs;
}

std::shared_ptr<const PureFluid> FluidLibrary::load(std::string_view name) {
  const fs::path path = resolve(name);
  std::error_code ec;
  fs::path key = fs::canonical(path, ec);
  if (ec) key = path;
  {
    const std::lock_guard lock(mutex_);
    if (const auto it = cache_.find(key); it != cache_.end()) return it->second;
  }
  auto fluid = std::make_shared<const PureFluid>(parse_fluid_file(read_file(path), path.string()));
  const std::lock_guard lock(mutex_);
  return cache_.emplace(key, std::move(fluid)).first->second;
}

}  // namespace fluidcore
