#include "inputs/inputs_file.h"

#include <nlohmann/json.hpp>

#include <algorithm>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/layouts.h"
#include "cycle/transcritical.h"
#include "datafiles/data_files.h"
#include "files/whole_file.h"
#include "property/message_text.h"

namespace inputs {
namespace {

// Keeps the keys in the order written, so that the file reads as the form.
using Json = nlohmann::ordered_json;

struct FormWords {
  Form form;
  std::string_view name;   // in the file
  std::string_view title;  // in messages
};
constexpr FormWords kForms[] = {
    {Form::basic, "basic", "the basic calculation"},
    {Form::comparison, "comparison", "the comparison of working fluids"},
    {Form::transcritical, "transcritical", "the transcritical cycle"},
    {Form::layouts, "layouts", "the cycle layouts"},
};

const FormWords& WordsOf(Form form) {
  return *std::find_if(std::begin(kForms), std::end(kForms),
                       [form](const FormWords& words) { return words.form == form; });
}

// Calls `visit` with the form's table of defaults.
template <class Visit>
auto WithTable(Form form, Visit visit) {
  switch (form) {
    case Form::comparison:
      return visit(cycle::kComparisonDefaults);
    case Form::transcritical:
      return visit(cycle::kTranscriticalDefaults);
    case Form::layouts:
      return visit(cycle::kLayoutDefaults);
    case Form::basic:
      break;
  }
  return visit(cycle::kBasicDefaults);
}

bool HoldsRefrigerants(Form form) { return form == Form::comparison; }
bool HoldsLayout(Form form) { return form == Form::layouts; }

std::string Quoted(std::string_view text) {
  return '"' + property::ShortenedForMessage(text) + '"';
}

std::string LayoutNames() {
  std::string names;
  for (const cycle::Layout layout : cycle::kLayouts) {
    names += (names.empty() ? "" : ", ") + std::string(cycle::LayoutName(layout));
  }
  return names;
}

using Read = std::variant<Inputs, std::string>;

std::optional<std::string> ReadFields(const Json& json, Inputs& inputs) {
  const auto found = json.find("fields");
  if (found == json.end()) return "the fields are missing";
  if (!found->is_object()) return "\"fields\" is not a set of named texts";
  const std::vector<std::string_view> options = FieldOptions(inputs.form);
  for (const auto& [key, value] : found->items()) {
    if (std::find(options.begin(), options.end(), key) == options.end()) {
      return Quoted(key) + " is not a field of " + std::string(WordsOf(inputs.form).title);
    }
    if (!value.is_string()) return "the field " + Quoted(key) + " is not a text in quotes";
  }
  for (const std::string_view option : options) {
    const auto value = found->find(option);
    if (value == found->end()) return "the field " + Quoted(option) + " is missing";
    inputs.fields.emplace(std::string(option), value->get<std::string>());
  }
  return std::nullopt;
}

std::optional<std::string> ReadRefrigerants(const Json& json, Inputs& inputs) {
  const auto found = json.find("refrigerants");
  if (found == json.end()) return "the refrigerants are missing";
  if (!found->is_array()) return "\"refrigerants\" is not a list of texts";
  if (found->size() > static_cast<std::size_t>(cycle::kMaxRefrigerants)) {
    return "it lists " + std::to_string(found->size()) + " refrigerants; the form takes at most " +
           std::to_string(cycle::kMaxRefrigerants);
  }
  for (const Json& name : *found) {
    if (!name.is_string()) {
      return "refrigerant " + std::to_string(inputs.refrigerants.size() + 1) +
             " is not a text in quotes";
    }
    inputs.refrigerants.push_back(name.get<std::string>());
  }
  return std::nullopt;
}

std::optional<std::string> ReadLayout(const Json& json, Inputs& inputs) {
  const auto found = json.find("layout");
  if (found == json.end()) return "the layout is missing";
  const std::string name = found->is_string() ? found->get<std::string>() : found->dump();
  if (!cycle::LayoutNamed(name)) {
    return "the layout " + Quoted(name) + " is none of " + LayoutNames();
  }
  inputs.layout = name;
  return std::nullopt;
}

// The inputs of `form` in the file's text, or why there are none.
Read ReadInputs(std::string_view text, Form form) {
  const Json json = Json::parse(text, nullptr, false);
  const auto format = json.is_object() ? json.find("format") : json.end();
  if (json.is_discarded() || !json.is_object() || format == json.end() || *format != kFormatName) {
    return "it is not an inputs file of this program";
  }
  const auto version = json.find("version");
  if (version == json.end() || !version->is_number_integer() || version->get<long long>() < 1) {
    return "it gives no version of the inputs this program knows";
  }
  if (version->get<long long>() > kVersion) {
    return "a newer version of the program wrote it (inputs version " +
           std::to_string(version->get<long long>()) + "; this one reads version " +
           std::to_string(kVersion) + ")";
  }
  const auto name = json.find("form");
  const std::string form_name = name == json.end()  ? std::string()
                                : name->is_string() ? name->get<std::string>()
                                                    : name->dump();
  if (form_name != FormName(form)) {
    const auto other =
        std::find_if(std::begin(kForms), std::end(kForms),
                     [&](const FormWords& words) { return words.name == form_name; });
    return "it holds the inputs of " +
           (other != std::end(kForms) ? std::string(other->title)
                                      : "an unknown form " + Quoted(form_name)) +
           ", not of " + std::string(WordsOf(form).title);
  }

  Inputs inputs{form};
  for (const auto& [key, value] : json.items()) {
    const bool known = key == "format" || key == "version" || key == "form" || key == "fields" ||
                       (key == "refrigerants" && HoldsRefrigerants(form)) ||
                       (key == "layout" && HoldsLayout(form));
    if (!known) {
      return Quoted(key) + " is not among the inputs of " + std::string(WordsOf(form).title);
    }
  }
  if (auto reason = ReadFields(json, inputs)) return *reason;
  if (HoldsRefrigerants(form)) {
    if (auto reason = ReadRefrigerants(json, inputs)) return *reason;
  }
  if (HoldsLayout(form)) {
    if (auto reason = ReadLayout(json, inputs)) return *reason;
  }
  return inputs;
}

}  // namespace

std::string_view FormName(Form form) { return WordsOf(form).name; }

std::vector<std::string_view> FieldOptions(Form form) {
  return WithTable(form, [](const auto& table) {
    std::vector<std::string_view> options;
    for (const auto& entry : table) options.push_back(entry.option);
    return options;
  });
}

Inputs DefaultInputs(Form form) {
  Inputs inputs{form};
  inputs.fields =
      WithTable(form, [](const auto& table) { return TextsOf(table, cycle::WithDefaults(table)); });
  if (HoldsLayout(form)) inputs.layout = cycle::LayoutName(cycle::kLayouts[0]);
  return inputs;
}

std::optional<std::string> SaveInputs(const std::filesystem::path& file, const Inputs& inputs) {
  Json json;
  json["format"] = kFormatName;
  json["version"] = kVersion;
  json["form"] = FormName(inputs.form);
  if (HoldsLayout(inputs.form)) json["layout"] = inputs.layout;
  // Every field of the form, in the order of its table; one the inputs lack
  // at its default, so that the file always opens.
  const Inputs defaults = DefaultInputs(inputs.form);
  Json& fields = json["fields"] = Json::object();
  for (const std::string_view option : FieldOptions(inputs.form)) {
    const auto text = inputs.fields.find(option);
    fields[std::string(option)] =
        (text != inputs.fields.end() ? text : defaults.fields.find(option))->second;
  }
  if (HoldsRefrigerants(inputs.form)) json["refrigerants"] = inputs.refrigerants;
  std::string text;
  try {
    text = json.dump(2) + '\n';
  } catch (const Json::type_error&) {
    return "Cannot write " + file.string() + ": a text of the inputs is not UTF-8";
  }
  return files::WriteWholeFile(file, text);
}

std::variant<Inputs, std::string> OpenInputs(const std::filesystem::path& file, Form form) {
  const auto refused = [&](const std::string& reason) {
    return "Cannot open " + file.string() + ": " + reason;
  };
  std::string text;
  try {
    text = datafiles::ReadDataFile(file, kLargestInputsFile);
  } catch (const datafiles::DataFileError& error) {
    return refused(error.what());
  }
  Read read = ReadInputs(text, form);
  if (const auto* reason = std::get_if<std::string>(&read)) return refused(*reason);
  return read;
}

}  // namespace inputs
