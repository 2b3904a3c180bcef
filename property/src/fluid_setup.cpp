#include "property/fluid_setup.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <sstream>
#include <variant>
#include <vector>

#include "datafiles/data_files.h"
#include "datafiles/program_folder.h"
#include "property/binding.h"
#include "property/number_text.h"
#include "property/unit_catalogue.h"
#include "property/unit_systems.h"
#include "text.h"

namespace property {

namespace {

// What a fluid name asks the library to load; built completely before any of
// the layer state changes, so that a refused name leaves the loaded fluid's
// composition intact.
struct FluidFiles {
  int count = 0;
  std::string list;
  std::optional<ComponentFractions> fractions;  // pure fluids keep the old ones
};

// Why a name is refused: the text for ErrorText and the record beside it.
struct Refusal {
  std::string text;
  RequestFailure why;
};

Refusal OwnRefusal(std::string text) { return {std::move(text), OwnReason{}}; }

// A mixture file that is not there, or cannot be read or understood.
Refusal FileRefusal(std::string text, bool missing) {
  fluidcore::failure::FileFault fault{missing, text};
  return {std::move(text), fluidcore::Failure(std::move(fault))};
}

using Parsed = std::variant<FluidFiles, Refusal>;  // the files, or why not

// ---- mixture files ------------------------------------------------------

std::string_view WithoutCarriageReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// The mixture file as the program can open it: "\" read as a separator, the
// name looked up in the working directory, then beside the program, and in
// either place without regard to letter case.
std::optional<std::filesystem::path> LocateMixtureFile(std::string relative) {
  std::replace(relative.begin(), relative.end(), '\\', '/');
  const std::filesystem::path wanted(relative);
  std::error_code error;
  std::vector<std::filesystem::path> roots{std::filesystem::current_path(error)};
  if (auto program = datafiles::ProgramFolder()) roots.push_back(std::move(*program));
  for (const auto& root : roots) {
    const auto folder = (root / wanted).parent_path();
    if (auto found = datafiles::FindIgnoringCase(folder, wanted.filename().string())) return found;
  }
  return std::nullopt;
}

// Lines and fields longer than this are no part of a mixture file (a
// component's file name is a few dozen characters): reading stops there
// rather than taking in whatever else the file holds.
constexpr std::size_t kLongestLine = 1000;

class MixtureFileReader {
 public:
  MixtureFileReader(std::istream& in, std::string shown_name)
      : in_(in), shown_(std::move(shown_name)) {}

  Parsed Read() {
    std::string line;
    for (int line_number = 1; line_number <= 3; ++line_number) {
      if (const auto got = ReadLine(line); got != Got::text) {
        return got == Got::end ? Fault("ends before line 3 (the component count)") : LineTooLong();
      }
    }
    const std::string_view count_text = TrimBlanks(WithoutCarriageReturn(line));
    const auto count = ParseNumber(count_text);
    if (!count || *count != std::floor(*count)) {
      return Fault("the component count \"" + std::string(count_text) +
                   "\" on line 3 is not a whole number");
    }
    if (*count > kMaxComponents) {
      return Fault("declares " + std::string(count_text) + " components, at most " +
                   std::to_string(kMaxComponents) + " are allowed");
    }
    FluidFiles files;
    files.count = *count < 1 ? 0 : static_cast<int>(*count);
    for (int i = 1; i <= files.count; ++i) {
      if (const auto got = ReadLine(line); got != Got::text) {
        return got == Got::end ? Fault("ends before the file name of component " + std::to_string(i))
                               : LineTooLong();
      }
      files.list += "fluids\\" + std::string(WithoutCarriageReturn(line)) + "|";
    }
    files.fractions.emplace();
    for (int i = 1; i <= files.count; ++i) {
      const std::string which = "the fraction of component " + std::to_string(i);
      std::string field;
      if (const auto got = NextField(field); got != Got::text) {
        return Fault(got == Got::end ? "ends before " + which
                                     : which + " is longer than " + std::to_string(kLongestLine) +
                                           " characters");
      }
      const auto fraction = ParseNumber(field);
      if (!fraction) return Fault(which + " \"" + field + "\" is not a number");
      if (*fraction < 0) return Fault(which + " \"" + field + "\" is negative");
      files.fractions->at(i) = *fraction;
    }
    return files;
  }

 private:
  enum class Got { text, end, too_long };

  // The next line, without its line feed; Got::end at the end of the file.
  Got ReadLine(std::string& line) {
    line.clear();
    ++line_number_;
    char c = 0;
    bool any = false;
    while (in_.get(c)) {
      any = true;
      if (c == '\n') return Got::text;
      if (line.size() == kLongestLine) return Got::too_long;
      line += c;
    }
    return any ? Got::text : Got::end;
  }

  // The next field: separated by commas, blanks or line ends.
  Got NextField(std::string& field) {
    char c = 0;
    while (in_.get(c)) {
      const bool separator = c == ',' || c == ' ' || c == '\t' || c == '\n' || c == '\r';
      if (!separator) {
        if (field.size() == kLongestLine) return Got::too_long;
        field += c;
      } else if (!field.empty()) {
        break;
      }
    }
    return field.empty() ? Got::end : Got::text;
  }

  Refusal Fault(const std::string& what) const {
    return FileRefusal("Mixture file " + shown_ + ": " + what, false);
  }

  Refusal LineTooLong() const {
    return Fault("line " + std::to_string(line_number_) + " is longer than " +
                 std::to_string(kLongestLine) + " characters");
  }

  std::istream& in_;
  std::string shown_;
  int line_number_ = 0;
};

Parsed ReadMixtureFile(const std::string& name) {
  const std::string shown = "mixtures/" + ShortenedForMessage(name);
  const auto path = LocateMixtureFile("mixtures\\" + name);
  if (!path) return FileRefusal("Mixture file " + shown + " not found", true);
  std::istringstream in;
  try {
    in.str(datafiles::ReadDataFile(*path));
  } catch (const datafiles::DataFileError& reason) {
    return FileRefusal("Mixture file " + shown + " cannot be read (" + reason.what() + ")", false);
  }
  return MixtureFileReader(in, shown).Read();
}

// ---- spelled mixtures ---------------------------------------------------

// Splits at the first comma: the text before it; rest becomes the text after.
std::string_view TakeField(std::string_view& rest) {
  const auto comma = rest.find(',');
  const std::string_view field = rest.substr(0, comma);
  rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
  return field;
}

// A spelled mixture whose fields do not alternate components and numbers,
// which would otherwise load another mixture than the one meant
// ("R32,0.5,R125" as pure R32).
constexpr std::string_view kNotUnderstood = "Mixture name not understood: ";
constexpr std::string_view kSpelling =
    " (a mixture is written component, fraction, component, fraction ...)";

// The first fault of one component and its fraction, or "".
std::string ComponentFault(int position, std::string_view component, std::string_view fraction) {
  const std::string name = ShortenedForMessage(component);
  const std::string written = ShortenedForMessage(TrimBlanks(fraction));
  if (TrimBlanks(component).empty()) {
    return std::string(kNotUnderstood) + "component " + std::to_string(position) + " has no name" +
           std::string(kSpelling);
  }
  if (TrimBlanks(fraction).empty()) {
    return std::string(kNotUnderstood) + name + " has no fraction" + std::string(kSpelling);
  }
  const auto value = ParseNumber(fraction);
  if (!value) {
    return std::string(kNotUnderstood) + "the fraction of " + name + " is not a number (" +
           written + ")";
  }
  // A negative amount of a component makes no mixture.
  if (*value < 0) {
    return "Composition out of range: the fraction of " + name + " is negative (" + written + ")";
  }
  return {};
}

Parsed ParseSpelledMixture(std::string_view name) {
  FluidFiles files;
  ComponentFractions fractions;
  std::string fault;  // the first component's that has one
  std::string_view rest = name;
  do {
    if (++files.count > kMaxComponents) return OwnRefusal("Too many components");
    // Component names are taken exactly as written, blanks included.
    const std::string_view component = TakeField(rest);
    files.list += "fluids\\" + std::string(component) + ".fld|";
    const std::string_view fraction = TakeField(rest);
    fractions.at(files.count) = LeadingNumber(fraction);
    if (fault.empty()) fault = ComponentFault(files.count, component, fraction);
  } while (!rest.empty());
  double sum = 0;
  for (int i = 1; i <= files.count; ++i) sum += fractions.at(i);
  if (sum == 0) return OwnRefusal("Composition not set");
  if (!std::isfinite(sum)) return OwnRefusal("Composition out of range");
  if (!fault.empty()) return OwnRefusal(fault);
  for (int i = 1; i <= files.count; ++i) fractions.at(i) /= sum;
  files.fractions = fractions;
  return files;
}

Parsed ParseFluidName(const std::string& fluid) {
  const std::string upper = UpperCase(fluid);
  if (upper.find(".MIX") != std::string::npos) return ReadMixtureFile(fluid);
  if (fluid.find(',') != std::string::npos) return ParseSpelledMixture(fluid);
  return FluidFiles{1, "fluids\\" + fluid + ".fld", std::nullopt};
}

// Hands the prepared files to the library; the four texts come back as the
// library left them. False when the library cannot be called.
bool CallSetup(FluidSetupState& setup, LayerState& layer) {
  const auto setup_dll = RequireEntry(&EntryPoints::SETUPdll);
  if (setup_dll == nullptr) return false;
  setup_dll(&setup.ComponentCount, setup.FluidFileList.Buffer(), setup.MixingRulesFile.Buffer(),
            setup.ReferenceState.Buffer(), &layer.ErrorCode, layer.ErrorText.Buffer(),
            setup.FluidFileList.kWidth, setup.MixingRulesFile.kWidth, setup.ReferenceState.kWidth,
            layer.ErrorText.kWidth);
  setup.FluidFileList.AdoptLibraryText();
  setup.MixingRulesFile.AdoptLibraryText();
  setup.ReferenceState.AdoptLibraryText();
  layer.ErrorText.AdoptLibraryText();
  if (layer.ErrorCode > 0) TakeLibraryFailure(layer);
  return true;
}

}  // namespace

FluidSetupState& SetupState() {
  thread_local FluidSetupState state;
  return state;
}

PropertyResult SetupFluid(std::string& fluid) {
  LayerState& layer = Layer();
  FluidSetupState& setup = SetupState();
  layer.ErrorCode = 0;
  if (TrimBlanks(fluid).empty()) {
    layer.Fail("No fluid name given", OwnReason{});
    return {};
  }
  if (setup.LoadedUnder != BindingGeneration()) {
    setup.LastFluid.clear();
    setup.LoadedUnder = BindingGeneration();
  }
  if (fluid == setup.LastFluid) return {};
  if (UpperCase(fluid) == "AIR") fluid = kAirComposition;

  Parsed parsed = ParseFluidName(fluid);
  if (const auto* refusal = std::get_if<Refusal>(&parsed)) {
    layer.Fail(refusal->text, refusal->why);
    return {};
  }
  FluidFiles& files = std::get<FluidFiles>(parsed);
  if (files.count < 1) {
    layer.Fail("Setup failed", OwnReason{});
    return {};
  }
  if (files.list.size() > kFileListWidth) {
    // Files the library cannot be handed, so none it can read.
    const Refusal refusal = FileRefusal(
        "The fluid file list is longer than " + std::to_string(kFileListWidth) + " characters",
        false);
    layer.Fail(refusal.text, refusal.why);
    return {};
  }
  setup.ComponentCount = files.count;
  setup.FluidFileList = files.list;
  if (files.fractions) layer.Composition = *files.fractions;
  layer.ErrorText = "";
  setup.ReferenceState = "DEF";
  setup.MixingRulesFile = "fluids\\hmx.bnc";

  if (!CallSetup(setup, layer)) {
    setup.LastFluid.clear();
    return {};
  }
  // A failed load is not remembered: the next request for the name tries
  // again and reports the failure again.
  setup.LastFluid = layer.ErrorCode > 0 ? std::string() : fluid;
  return fluid;
}

void SelectFluid(std::string& fluid, std::string_view code, std::string_view units, double& value1,
                 double& value2) {
  SetupFluid(fluid);
  LayerState& layer = Layer();
  if (layer.ErrorCode > 0) return;
  try {
    ConvertUnits(code, units, value1, value2);
  } catch (const ConversionFault& fault) {
    layer.Fail(fault.what(), ConversionFailed{});
    return;
  }
  layer.ErrorText = "";
  layer.State.Reset();
}

}  // namespace property
