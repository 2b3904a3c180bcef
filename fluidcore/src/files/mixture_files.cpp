#include "fluidcore/mixture_files.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>

#include "datafiles/data_files.h"
#include "files/json_fields.h"

namespace fluidcore {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFormat = "fluidcore-mixing 1";
constexpr const char* kDefaultMixingFile = "fluids/hmx.bnc";

std::string lower(std::string_view s) {
  std::string r(s);
  std::transform(r.begin(), r.end(), r.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return r;
}

std::string trimmed(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return std::string(s);
}

// "R32" for a fluid name; the fluid's identity in the pair index.
std::string name_key(const std::string& name) { return "name:" + lower(name); }
std::string cas_key(const std::string& cas) { return "cas:" + cas; }

// "fluids\R32.fld" -> "fluids/R32.fld", trimmed.
std::string as_path(std::string_view name) {
  std::string s = trimmed(name);
  std::replace(s.begin(), s.end(), '\\', '/');
  return s;
}

}  // namespace

MixingRules MixingRules::parse(const std::string& text, const std::string& origin) {
  using json::element;
  try {
    const json::Document document(text);
    const element j = document.root();
    if (json::text_or_empty(j, "format") != kFormat)
      throw FluidFileError(std::string("not a mixing file (format \"") + kFormat + "\" expected)");
    std::map<std::string, std::shared_ptr<const ResidualHelmholtz>, std::less<>> departures;
    simdjson::dom::object functions;
    if (json::field(j, "departure_functions").get_object().get(functions) != simdjson::SUCCESS)
      throw FluidFileError("'departure_functions' is not an object");
    for (const auto [name, f] : functions) {
      try {
        departures[std::string(name)] =
            std::make_shared<const ResidualHelmholtz>(json::term_groups(json::field(f, "terms")));
      } catch (const FluidFileError& e) {
        throw FluidFileError("departure function " + std::string(name) + " is malformed: " + e.what());
      }
    }
    MixingRules rules;
    json::field(j, "pairs");
    json::for_each(j, "pairs", [&](element p) {
      Entry e;
      const auto name1 = json::text(p, "fluid1"), name2 = json::text(p, "fluid2");
      e.parameters = {json::positive(p, "beta_T"), json::positive(p, "gamma_T"),
                      json::positive(p, "beta_v"), json::positive(p, "gamma_v"), json::number(p, "F")};
      if (const element d = json::field(p, "departure"); !d.is_null()) {
        const auto departure = json::text(p, "departure");
        const auto it = departures.find(departure);
        if (it == departures.end())
          throw FluidFileError("pair " + name1 + "/" + name2 + " names the unknown departure function " +
                               departure);
        e.departure = it->second;
      }
      const std::size_t index = rules.entries_.size();
      rules.index_[{name_key(name1), name_key(name2)}] = index;
      const auto cas1 = json::text_or_empty(p, "cas1"), cas2 = json::text_or_empty(p, "cas2");
      if (!cas1.empty() && !cas2.empty()) rules.index_[{cas_key(cas1), cas_key(cas2)}] = index;
      rules.entries_.push_back(std::move(e));
    });
    return rules;
  } catch (const FluidFileError& e) {
    throw FluidFileError("mixing file " + origin + " is malformed: " + e.what());
  }
}

Mixture::Pair MixingRules::find(const PureFluid& a, const PureFluid& b) const {
  const auto lookup = [&](const std::string& ka, const std::string& kb) -> std::optional<Mixture::Pair> {
    if (const auto it = index_.find({ka, kb}); it != index_.end()) {
      const Entry& e = entries_[it->second];
      return Mixture::Pair{e.parameters, e.departure, false};
    }
    if (const auto it = index_.find({kb, ka}); it != index_.end()) {
      const Entry& e = entries_[it->second];
      PairParameters p = e.parameters;
      p.beta_T = 1 / p.beta_T;
      p.beta_v = 1 / p.beta_v;
      return Mixture::Pair{p, e.departure, false};
    }
    return std::nullopt;
  };
  if (!a.cas.empty() && !b.cas.empty())
    if (auto found = lookup(cas_key(a.cas), cas_key(b.cas))) return *found;
  if (auto found = lookup(name_key(a.name), name_key(b.name))) return *found;
  return Mixture::Pair{PairParameters{}, nullptr, true};
}

BlendFile parse_blend_file(const std::string& text, const std::string& origin) {
  const auto fault = [&](const std::string& what) {
    return FluidFileError("mixture file " + origin + " " + what);
  };
  std::istringstream in(text);
  std::string line;
  for (int n = 1; n <= 3; ++n)
    if (!std::getline(in, line)) throw fault("ends before line 3 (the component count)");
  const std::string count_text = trimmed(line);
  int count = 0;
  const auto [end, ec] = std::from_chars(count_text.data(), count_text.data() + count_text.size(), count);
  if (ec != std::errc() || end != count_text.data() + count_text.size())
    throw fault("has no whole number on line 3 (the component count): \"" + count_text + "\"");
  if (count < 1 || count > kMaxComponents)
    throw fault("declares " + count_text + " components (1 to 20 allowed)");
  BlendFile blend;
  for (int i = 1; i <= count; ++i) {
    if (!std::getline(in, line)) throw fault("ends before the file name of component " + std::to_string(i));
    blend.components.push_back(trimmed(line));
    if (blend.components.back().empty())
      throw fault("has an empty file name for component " + std::to_string(i));
  }
  std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::replace_if(rest.begin(), rest.end(), [](char c) { return c == ',' || c == '\r' || c == '\n' || c == '\t'; }, ' ');
  std::istringstream fields(rest);
  double sum = 0;
  for (int i = 1; i <= count; ++i) {
    std::string field;
    if (!(fields >> field)) throw fault("ends before the fraction of component " + std::to_string(i));
    double v = 0;
    const auto [e, err] = std::from_chars(field.data(), field.data() + field.size(), v);
    if (err != std::errc() || e != field.data() + field.size() || !std::isfinite(v) || v < 0)
      throw fault("has the fraction \"" + field + "\" for component " + std::to_string(i) +
                  " (a number from 0 to 1 expected)");
    blend.fractions.push_back(v);
    sum += v;
  }
  if (!(sum > 0)) throw fault("has fractions that add up to 0");
  for (double& v : blend.fractions) v /= sum;
  return blend;
}

std::shared_ptr<const MixingRules> MixtureLibrary::rules(const std::string& mixing_file) {
  const fs::path given(as_path(mixing_file.empty() ? kDefaultMixingFile : mixing_file));
  std::optional<fs::path> found;
  for (const auto& dir : fluids_.search_dirs(given.parent_path()))
    if ((found = datafiles::FindIgnoringCase(dir, given.filename().string()))) break;
  if (!found) throw FluidFileError("mixing file " + mixing_file + " not found", true);
  std::error_code ec;
  fs::path key = fs::canonical(*found, ec);
  if (ec) key = *found;
  {
    const std::lock_guard lock(mutex_);
    if (const auto it = rules_.find(key); it != rules_.end()) return it->second;
  }
  auto parsed = std::make_shared<const MixingRules>(
      MixingRules::parse(read_file(*found, "mixing file"), found->string()));
  const std::lock_guard lock(mutex_);
  return rules_.emplace(key, std::move(parsed)).first->second;
}

std::shared_ptr<const Mixture> MixtureLibrary::load(const std::vector<std::string>& files,
                                                    const std::string& mixing_file) {
  std::error_code ec;
  std::string key = fs::current_path(ec).string() + '\n' + mixing_file;
  for (const auto& f : files) key += '\n' + f;
  {
    const std::lock_guard lock(mutex_);
    if (const auto it = mixtures_.find(key); it != mixtures_.end()) return it->second;
  }
  std::vector<std::shared_ptr<const PureFluid>> fluids;
  for (const auto& f : files) {
    fluids.push_back(fluids_.load(as_path(f)));
    for (std::size_t i = 0; i + 1 < fluids.size(); ++i)
      if (fluids[i] == fluids.back())
        throw FluidFileError("component " + fluids.back()->name + " (" + f + ") is listed twice");
  }
  const auto pairs_of = rules(mixing_file);
  std::vector<Mixture::Pair> pairs;
  for (std::size_t i = 0; i < fluids.size(); ++i)
    for (std::size_t j = i + 1; j < fluids.size(); ++j)
      pairs.push_back(pairs_of->find(*fluids[i], *fluids[j]));
  auto mixture = std::make_shared<const Mixture>(std::move(fluids), std::move(pairs));
  const std::lock_guard lock(mutex_);
  return mixtures_.emplace(key, std::move(mixture)).first->second;
}

std::optional<fs::path> MixtureLibrary::find_blend_file(const std::string& name) const {
  const fs::path given(as_path(name));
  if (lower(given.extension().string()) == ".mix") {
    for (const auto& dir : fluids_.search_dirs(given.parent_path()))
      if (auto found = datafiles::FindIgnoringCase(dir, given.filename().string())) return found;
    return std::nullopt;
  }
  const std::string file = given.stem().string() + ".mix";
  for (const auto& dir : fluids_.search_dirs("mixtures"))
    if (auto found = datafiles::FindIgnoringCase(dir, file)) return found;
  return std::nullopt;
}

std::string MixtureLibrary::blend_key(const std::string& name, const std::string& mixing_file) {
  std::error_code ec;
  return fs::current_path(ec).string() + '\n' + mixing_file + '\n' + name;
}

std::optional<LoadedMixture> MixtureLibrary::known_blend(const std::string& name,
                                                         const std::string& mixing_file) {
  const std::string key = blend_key(name, mixing_file);
  const std::lock_guard lock(mutex_);
  if (const auto it = blends_.find(key); it != blends_.end()) return it->second;
  return std::nullopt;
}

std::optional<LoadedMixture> MixtureLibrary::load_blend(const std::string& name,
                                                        const std::string& mixing_file) {
  if (auto known = known_blend(name, mixing_file)) return known;
  const std::string key = blend_key(name, mixing_file);
  const auto path = find_blend_file(name);
  if (!path) return std::nullopt;
  const BlendFile blend = parse_blend_file(read_file(*path, "mixture file"), path->string());
  std::vector<std::string> files;
  for (const auto& c : blend.components) files.push_back("fluids/" + c);
  LoadedMixture loaded;
  try {
    loaded.model = load(files, mixing_file);
  } catch (const FluidFileError& e) {
    throw FluidFileError("mixture file " + path->string() + ": ", e);
  }
  Fractions x{};
  std::copy(blend.fractions.begin(), blend.fractions.end(), x.begin());
  loaded.composition = x;
  loaded.name = path->stem().string();
  const std::lock_guard lock(mutex_);
  return blends_.emplace(key, std::move(loaded)).first->second;
}

}  // namespace fluidcore
