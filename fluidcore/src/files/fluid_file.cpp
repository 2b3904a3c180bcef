#include "fluidcore/fluid_file.h"

#include "api/c_text.h"
#include "fluidcore/saturation.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "datafiles/data_files.h"
#include "files/json_fields.h"

namespace fluidcore {
namespace {

namespace fs = std::filesystem;

using json::element;
using json::field;
using json::number;
using json::numbers;
using json::positive;
using json::text_or_empty;

IdealGasHelmholtz ideal_gas(element j) {
  IdealGasHelmholtz r;
  r.a1 = number(j, "a1");
  r.a2 = number(j, "a2");
  r.c_log_tau = number(j, "c_log_tau");
  r.c_tau_log_tau = number(j, "c_tau_log_tau");
  r.power = json::list(j, "power", [](element t) {
    return IdealGasHelmholtz::Power{number(t, "n"), number(t, "t")};
  });
  r.planck_einstein = json::list(j, "planck_einstein", [](element t) {
    return IdealGasHelmholtz::PlanckEinstein{number(t, "n"), number(t, "theta"),
                                             number(t, "c"), number(t, "d")};
  });
  return r;
}

SaturationCurve saturation(element j) {
  field(j, "pieces");
  auto pieces = json::list(j, "pieces", [](element p) {
    return SaturationCurve::Piece{number(p, "Tmin"), number(p, "Tmax"), numbers(p, "p"),
                                  numbers(p, "rhoL"), numbers(p, "rhoV")};
  });
  try {
    return SaturationCurve(std::move(pieces), positive(j, "Tcrit"), positive(j, "rhocrit"));
  } catch (const std::invalid_argument& e) {
    throw FluidFileError(e.what());
  }
}

PureFluid fluid_from_json(element j) {
  if (text_or_empty(j, "format") != "fluidcore-fluid 1")
    throw FluidFileError("not a fluid file (format \"fluidcore-fluid 1\" expected)");
  PureFluid f;
  f.name = json::text(j, "name");
  field(j, "aliases");
  f.aliases = json::list(j, "aliases", [](element a) {
    std::string_view s;
    if (a.get_string().get(s) != simdjson::SUCCESS)
      throw FluidFileError("'aliases' holds a non-text");
    return std::string(s);
  });
  f.cas = text_or_empty(j, "cas");
  f.molar_mass = positive(j, "molar_mass");
  f.gas_constant = positive(j, "gas_constant");
  f.T_reducing = positive(field(j, "reducing"), "T");
  f.rho_reducing = positive(field(j, "reducing"), "rho");
  const element c = field(j, "critical");
  f.critical = {positive(c, "T"), positive(c, "p"), positive(c, "rho")};
  const element t = field(j, "triple");
  f.triple = {positive(t, "T"), number(t, "p_liquid"), number(t, "rho_liquid"),
              number(t, "rho_vapour")};
  const element l = field(j, "limits");
  f.limits = {positive(l, "Tmin"), positive(l, "Tmax"), positive(l, "pmax")};
  f.ideal = ideal_gas(field(j, "alpha0"));
  f.residual = ResidualHelmholtz(json::term_groups(field(j, "alphar")));
  f.saturation = saturation(field(j, "saturation"));
  if (!(f.limits.Tmax > f.limits.Tmin) || f.limits.Tmin < f.saturation.Tmin() * (1 - 1e-12))
    throw FluidFileError("the limits do not fit the saturation curve");
  f.psat_min = saturation_point(f, f.limits.Tmin).p;
  return f;
}

}  // namespace

PureFluid parse_fluid_file(const std::string& text, const std::string& origin) {
  try {
    const json::Document document(text);
    return fluid_from_json(document.root());
  } catch (const FluidFileError& e) {
    throw FluidFileError("fluid file " + origin + " is malformed: " + e.what());
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
    if (auto found = datafiles::FindFluidFile(dir, file)) return *found;
  std::string searched;
  for (const auto& dir : dirs) searched += (searched.empty() ? "" : ", ") + dir.string();
  throw FluidFileError(
      "fluid file " + c_text::shortened(name) + " not found (searched " + searched + ")", true);
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
  auto fluid = std::make_shared<const PureFluid>(parse_fluid_file(read_file(path, "fluid file"), path.string()));
  const std::lock_guard lock(mutex_);
  return cache_.emplace(key, std::move(fluid)).first->second;
}

}  // namespace fluidcore
