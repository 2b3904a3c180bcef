#include "catalogue/fluid_facts.h"

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "catalogue/data_folders.h"
#include "text.h"

namespace catalogue {

namespace {

using detail::FindIgnoringCase;
using detail::LessIgnoringCase;
using detail::Lower;
using detail::ReadText;

// The fluid files mark a figure nobody has published with null, "?" or a
// placeholder of 99999999; all of them read as unknown here.
std::optional<double> KnownFigure(const nlohmann::json& field) {
  if (!field.is_number()) return std::nullopt;
  const double value = field.get<double>();
  if (value < 0 || value >= 1e7) return std::nullopt;
  return value;
}

std::optional<std::string> KnownClass(const nlohmann::json& field) {
  if (!field.is_string()) return std::nullopt;
  const auto text = field.get<std::string>();
  if (text.empty() || text == "?") return std::nullopt;
  return text;
}

std::optional<double> PositiveNumber(const nlohmann::json& object, const char* key) {
  const auto found = object.find(key);
  if (found == object.end() || !found->is_number()) return std::nullopt;
  const double value = found->get<double>();
  if (!(value > 0)) return std::nullopt;
  return value;
}

std::string TextOr(const nlohmann::json& object, const char* key) {
  const auto found = object.find(key);
  return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// "A and B and C" -> "A, B and C".
std::string JoinAuthors(std::string_view authors) {
  std::vector<std::string> names;
  constexpr std::string_view kAnd = " and ";
  for (auto at = authors.find(kAnd); at != std::string_view::npos; at = authors.find(kAnd)) {
    names.emplace_back(authors.substr(0, at));
    authors.remove_prefix(at + kAnd.size());
  }
  names.emplace_back(authors);
  std::string joined = names.front();
  for (std::size_t i = 1; i < names.size(); ++i) {
    joined += (i + 1 == names.size() ? " and " : ", ") + names[i];
  }
  return joined;
}

// The fluid file of `folder` a name stands for: the file of that name, with
// or without ".fld", else the one the folder's alias index gives for it.
std::optional<std::filesystem::path> FluidFileNamed(const std::filesystem::path& folder,
                                                    std::string_view name) {
  if (name.empty()) return std::nullopt;
  if (auto file = FindIgnoringCase(folder, name)) return file;
  if (auto file = FindIgnoringCase(folder, std::string(name) + ".fld")) return file;
  const auto index = FindIgnoringCase(folder, "aliases.json");
  if (!index) return std::nullopt;
  try {
    const auto json = nlohmann::json::parse(ReadText(*index));
    const auto& aliases = json.at("aliases");
    const auto alias = aliases.find(Lower(name));
    if (alias == aliases.end() || !alias->is_string()) return std::nullopt;
    return FindIgnoringCase(folder, alias->get<std::string>());
  } catch (const std::exception&) {
    return std::nullopt;  // a broken index only loses the aliases
  }
}

}  // namespace

std::string PlainCitation(std::string_view citation) {
  std::string text(citation);
  // The author list runs up to the year in brackets.
  if (const auto year = text.find(". ("); year != std::string::npos) {
    text = JoinAuthors(std::string_view(text).substr(0, year)) + text.substr(year);
  }
  static const std::pair<std::string_view, std::string_view> kAccents[] = {
      {"\\\"a", "ä"},   {"\\\"o", "ö"},   {"\\\"u", "ü"}, {"\\\"e", "ë"}, {"\\\"i", "ï"},
      {"\\\"A", "Ä"},   {"\\\"O", "Ö"},   {"\\\"U", "Ü"}, {"\\'a", "á"},  {"\\'e", "é"},
      {"\\'i", "í"},    {"\\'o", "ó"},    {"\\'u", "ú"},  {"\\'E", "É"},  {"\\ss", "ß"},
      {"\\&", "&"},     {"$\\rho$", "ρ"}, {"--", "–"},    {"{", ""},      {"}", ""},
      {". (). ", ". "}, {" (). ", " "},
  };
  for (const auto& [from, to] : kAccents) ReplaceAll(text, from, to);
  // "Wagner, W.. (1985)": an initial's point and the sentence's point are one.
  for (auto at = text.find(".."); at != std::string::npos; at = text.find("..", at)) {
    if (at + 2 < text.size() && text[at + 2] == '.') {
      at += 3;
    } else {
      text.erase(at, 1);
    }
  }
  return text;
}

PureFluidFacts ParseFluidFile(const std::string& file_stem, const std::string& text) {
  const auto json = nlohmann::json::parse(text);
  if (!json.is_object() || !json.contains("name")) {
    throw std::runtime_error("not a fluid file (no name)");
  }
  PureFluidFacts facts;
  facts.file_stem = file_stem;
  facts.name = TextOr(json, "name");
  if (const auto aliases = json.find("aliases"); aliases != json.end() && aliases->is_array()) {
    for (const auto& alias : *aliases) {
      if (alias.is_string() && alias.get<std::string>() != facts.name) {
        facts.aliases.push_back(alias.get<std::string>());
      }
    }
  }
  facts.cas = TextOr(json, "cas");
  facts.formula = TextOr(json, "formula");
  facts.molar_mass = PositiveNumber(json, "molar_mass");
  if (const auto limits = json.find("limits"); limits != json.end() && limits->is_object()) {
    facts.lower_limit = PositiveNumber(*limits, "Tmin");
  }
  facts.safety_class = KnownClass(json.value("safety_class", nlohmann::json()));
  facts.gwp100 = KnownFigure(json.value("gwp100", nlohmann::json()));
  facts.odp = KnownFigure(json.value("odp", nlohmann::json()));
  const auto sources = json.value("sources", nlohmann::json::object());
  if (const auto eos = sources.find("equation_of_state"); eos != sources.end() && eos->is_array()) {
    for (const auto& citation : *eos) {
      if (citation.is_string())
        facts.equation_sources.push_back(PlainCitation(citation.get<std::string>()));
    }
  }
  return facts;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

const PureFluidFacts* FindByFileName(const std::vector<PureFluidFacts>& fluids,
                                     std::string_view file_stem) {
  const auto found = std::find_if(fluids.begin(), fluids.end(), [&](const PureFluidFacts& fluid) {
    return SameName(fluid.file_stem, file_stem);
  });
  return found == fluids.end() ? nullptr : &*found;
}

std::optional<PureFluidFacts> FluidFactsOf(std::string_view name) {
  for (const auto& folder : DataFolderCandidates("fluids")) {
    if (const auto file = FluidFileNamed(folder, name)) {
      try {
        return ParseFluidFile(file->stem().string(), ReadText(*file));
      } catch (const std::exception&) {
        return std::nullopt;
      }
    }
  }
  return std::nullopt;
}

FluidFileList ReadFluidFiles(const std::filesystem::path& fluids_dir) {
  FluidFileList list;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(fluids_dir, error)) {
    if (Lower(entry.path().extension().string()) != ".fld") continue;
    const std::string stem = entry.path().stem().string();
    try {
      list.fluids.push_back(ParseFluidFile(stem, ReadText(entry.path())));
    } catch (const std::exception& failure) {
      list.skipped.push_back(entry.path().filename().string() + ": " + failure.what());
    }
  }
  std::sort(list.fluids.begin(), list.fluids.end(),
            [](const PureFluidFacts& a, const PureFluidFacts& b) {
              return LessIgnoringCase(a.file_stem, b.file_stem);
            });
  return list;
}

std::vector<MixingPair> ParseMixingPairs(const std::string& text) {
  const auto json = nlohmann::json::parse(text);
  const auto pairs = json.find("pairs");
  if (!json.is_object() || pairs == json.end() || !pairs->is_array()) {
    throw std::runtime_error("not a mixing-parameter file (no pairs)");
  }
  std::vector<MixingPair> list;
  for (const auto& pair : *pairs) {
    if (!pair.is_object()) continue;
    MixingPair entry{TextOr(pair, "fluid1"), TextOr(pair, "fluid2"),    TextOr(pair, "cas1"),
                     TextOr(pair, "cas2"),   TextOr(pair, "departure"), {}};
    if (const auto sources = pair.find("sources"); sources != pair.end() && sources->is_array()) {
      for (const auto& source : *sources) {
        if (source.is_string()) entry.sources.push_back(PlainCitation(source.get<std::string>()));
      }
    }
    list.push_back(std::move(entry));
  }
  return list;
}

std::vector<MixingPair> ReadMixingPairs(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return {};
  try {
    return ParseMixingPairs(ReadText(file));
  } catch (const std::exception& failure) {
    throw std::runtime_error(file.string() + ": " + failure.what());
  }
}

std::vector<std::string> ListMixtureFiles(const std::filesystem::path& mixtures_dir) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(mixtures_dir, error)) {
    if (Lower(entry.path().extension().string()) == ".mix") {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  return names;
}

std::optional<std::string> RefrigerantNumber(const PureFluidFacts& fluid) {
  const auto is_number = [](std::string_view name) {
    if (name.size() < 2 || name[0] != 'R') return false;
    std::size_t digit = 1;
    if (name[digit] == 'C' || name[digit] == 'E') ++digit;
    return digit < name.size() && std::isdigit(static_cast<unsigned char>(name[digit])) != 0;
  };
  if (is_number(fluid.name)) return std::nullopt;
  const auto found = std::find_if(fluid.aliases.begin(), fluid.aliases.end(),
                                  [&](const std::string& alias) { return is_number(alias); });
  if (found == fluid.aliases.end()) return std::nullopt;
  return *found;
}

}  // namespace catalogue
