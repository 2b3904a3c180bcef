#include "catalogue/fluid_facts.h"

#include <algorithm>
#include <cctype>
#include <simdjson.h>
#include <stdexcept>

#include "catalogue/data_folders.h"
#include "catalogue/published_facts.h"
#include "datafiles/data_files.h"
#include "text.h"

namespace catalogue {

namespace {

using detail::Lower;
using detail::ReadText;

namespace ondemand = simdjson::ondemand;

std::optional<double> NumberOf(ondemand::value value) {
  if (value.type() != ondemand::json_type::number) return std::nullopt;
  return double(value.get_double());
}

std::optional<std::string> TextOf(ondemand::value value) {
  if (value.type() != ondemand::json_type::string) return std::nullopt;
  return std::string(std::string_view(value.get_string()));
}

std::optional<double> Positive(std::optional<double> value) {
  if (!value || !(*value > 0)) return std::nullopt;
  return value;
}

// The fluid files mark a figure nobody has published with null, "?" or a
// placeholder of 99999999; all of them read as unknown here.
std::optional<double> KnownFigure(std::optional<double> value) {
  if (!value || *value < 0 || *value >= 1e7) return std::nullopt;
  return value;
}

std::optional<std::string> KnownClass(std::optional<std::string> text) {
  if (!text || text->empty() || *text == "?") return std::nullopt;
  return text;
}

// visit(key, value) for each member of an object value; nothing for any
// other value.
template <class Visit>
void ForEachMember(ondemand::value value, Visit visit) {
  if (value.type() != ondemand::json_type::object) return;
  for (auto member : value.get_object()) visit(std::string_view(member.unescaped_key()), member.value());
}

// visit(text) for each text in an array value.
template <class Visit>
void ForEachText(ondemand::value value, Visit visit) {
  if (value.type() != ondemand::json_type::array) return;
  for (ondemand::value item : value.get_array()) {
    if (auto text = TextOf(item)) visit(std::move(*text));
  }
}

std::string TextOr(const simdjson::dom::element& object, const char* key) {
  std::string_view text;
  return object[key].get_string().get(text) == simdjson::SUCCESS ? std::string(text)
                                                                   : std::string();
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

namespace {

// The members of a fluid file read besides its literature.
constexpr std::string_view kFacts[] = {"name",         "aliases", "cas",  "formula",
                                       "molar_mass",   "limits",  "critical",
                                       "safety_class", "gwp100",  "odp"};

struct ReadMembers {
  PureFluidFacts facts;
  bool named = false;
  std::size_t facts_left = std::size(kFacts);  // the members of kFacts not found
};

// The members of a fluid file's JSON text, read on demand: the members
// skipped (the equation's coefficients, most of the file) are not parsed,
// and without the literature nothing after the last fact is looked at. The
// text is parsed in place where it has simdjson's padding to spare after it
// (datafiles::ReadDataFile leaves it). Throws simdjson::simdjson_error.
ReadMembers Read(ondemand::parser& parser, const std::string& text, Literature literature) {
  ReadMembers read;
  PureFluidFacts& facts = read.facts;
  const bool padded = text.capacity() - text.size() >= simdjson::SIMDJSON_PADDING;
  const simdjson::padded_string copy =
      padded ? simdjson::padded_string() : simdjson::padded_string(text);
  ondemand::document document = padded ? parser.iterate(text) : parser.iterate(copy);
  for (auto member : document.get_object()) {
    const std::string_view key = member.unescaped_key();
    ondemand::value value = member.value();
    if (key == "name") {
      read.named = true;
      facts.name = TextOf(value).value_or("");
    } else if (key == "aliases") {
      ForEachText(value, [&](std::string alias) { facts.aliases.push_back(std::move(alias)); });
    } else if (key == "cas") {
      facts.cas = TextOf(value).value_or("");
    } else if (key == "formula") {
      facts.formula = TextOf(value).value_or("");
    } else if (key == "molar_mass") {
      facts.molar_mass = Positive(NumberOf(value));
    } else if (key == "limits") {
      ForEachMember(value, [&](std::string_view limit, ondemand::value v) {
        if (limit == "Tmin") facts.lower_limit = Positive(NumberOf(v));
      });
    } else if (key == "critical") {
      ForEachMember(value, [&](std::string_view quantity, ondemand::value v) {
        if (quantity == "T") facts.critical_temperature = Positive(NumberOf(v));
      });
    } else if (key == "safety_class") {
      facts.safety_class = KnownClass(TextOf(value));
    } else if (key == "gwp100") {
      facts.gwp100 = KnownFigure(NumberOf(value));
    } else if (key == "odp") {
      facts.odp = KnownFigure(NumberOf(value));
    } else if (key == "sources" && literature == Literature::read) {
      ForEachMember(value, [&](std::string_view kind, ondemand::value citations) {
        if (kind != "equation_of_state") return;
        ForEachText(citations, [&](const std::string& citation) {
          facts.equation_sources.push_back(PlainCitation(citation));
        });
      });
    }
    const bool fact = std::find(std::begin(kFacts), std::end(kFacts), key) != std::end(kFacts);
    if (fact && --read.facts_left == 0 && literature == Literature::skipped) break;
  }
  return read;
}

// The facts from the members before the equation ("alpha0") parsed as a
// document of their own: the shipped files state them first, and the
// equation after them, nearly the whole file, is then not even indexed.
// Nothing unless every fact is there.
std::optional<ReadMembers> ReadHead(ondemand::parser& parser, const std::string& text) {
  const auto equation = text.find("\"alpha0\"");
  if (equation == std::string::npos || equation == 0) return std::nullopt;
  const auto comma = text.find_last_not_of(" \t\r\n", equation - 1);
  if (comma == std::string::npos || text[comma] != ',') return std::nullopt;
  try {
    ReadMembers read = Read(parser, text.substr(0, comma) + '}', Literature::skipped);
    if (read.facts_left == 0) return read;
  } catch (const simdjson::simdjson_error&) {
  }
  return std::nullopt;
}

// The facts of one fluid file's text. One parser reads file after file, its
// buffers grown once to the largest.
PureFluidFacts ParseWith(ondemand::parser& parser, const std::string& file_stem,
                         const std::string& text, Literature literature) {
  std::optional<ReadMembers> read;
  try {
    if (literature == Literature::skipped) read = ReadHead(parser, text);
    if (!read) read = Read(parser, text, literature);
  } catch (const simdjson::simdjson_error& error) {
    throw std::runtime_error(error.what());
  }
  if (!read->named) throw std::runtime_error("not a fluid file (no name)");
  PureFluidFacts& facts = read->facts;
  facts.file_stem = file_stem;
  std::erase(facts.aliases, facts.name);
  return std::move(facts);
}

}  // namespace

PureFluidFacts ParseFluidFile(const std::string& file_stem, const std::string& text,
                              Literature literature) {
  ondemand::parser parser;
  return ParseWith(parser, file_stem, text, literature);
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const std::string la = Lower(a);
  const std::string lb = Lower(b);
  return la != lb ? la < lb : a < b;
}

std::vector<std::string> NamesOf(const PureFluidFacts& fluid) {
  std::vector<std::string> names;
  const auto add = [&](const std::string& name) {
    const bool known = std::any_of(names.begin(), names.end(),
                                   [&](const std::string& seen) { return SameName(seen, name); });
    if (!name.empty() && !known) names.push_back(name);
  };
  add(fluid.file_stem);
  add(fluid.name);
  for (const std::string& alias : fluid.aliases) add(alias);
  return names;
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
    if (const auto file = datafiles::FindFluidFile(folder, name)) {
      try {
        return WithPublishedFacts(ParseFluidFile(file->stem().string(), ReadText(*file)));
      } catch (const std::exception&) {
        return std::nullopt;
      }
    }
  }
  return std::nullopt;
}

FluidFileList ReadFluidFiles(const std::filesystem::path& fluids_dir, Literature literature) {
  FluidFileList list;
  ondemand::parser parser;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(fluids_dir, error)) {
    if (Lower(entry.path().extension().string()) != ".fld") continue;
    const std::string stem = entry.path().stem().string();
    try {
      list.fluids.push_back(
          WithPublishedFacts(ParseWith(parser, stem, ReadText(entry.path()), literature)));
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
  simdjson::dom::parser parser;
  simdjson::dom::element json;
  simdjson::dom::array pairs;
  if (const auto error = parser.parse(text).get(json); error != simdjson::SUCCESS) {
    throw std::runtime_error(simdjson::error_message(error));
  }
  if (json["pairs"].get_array().get(pairs) != simdjson::SUCCESS) {
    throw std::runtime_error("not a mixing-parameter file (no pairs)");
  }
  std::vector<MixingPair> list;
  for (const simdjson::dom::element pair : pairs) {
    if (!pair.is_object()) continue;
    MixingPair entry{TextOr(pair, "fluid1"), TextOr(pair, "fluid2"),    TextOr(pair, "cas1"),
                     TextOr(pair, "cas2"),   TextOr(pair, "departure"), {}};
    simdjson::dom::array sources;
    if (pair["sources"].get_array().get(sources) == simdjson::SUCCESS) {
      for (const simdjson::dom::element source : sources) {
        std::string_view citation;
        if (source.get_string().get(citation) == simdjson::SUCCESS) {
          entry.sources.push_back(PlainCitation(citation));
        }
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
