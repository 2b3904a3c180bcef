// The family of setups of garbage: setup texts of garbage, real names with
// garbage inserted or cut short, and fluid, mixture and mixing files of
// garbage or with a few numbers or bytes changed.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "common/calls.h"
#include "common/loading.h"

namespace fuzz {
namespace {

namespace fs = std::filesystem;

std::string read_text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Files of this process for the library to read, each under a name of its
// own (the library keeps a parsed file by its path).
class TempFiles {
 public:
  TempFiles() {
    char pattern[] = "/tmp/fluidcore-fuzz-XXXXXX";
    if (const char* made = ::mkdtemp(pattern)) dir_ = made;
  }
  ~TempFiles() {
    std::error_code ec;
    if (!dir_.empty()) fs::remove_all(dir_, ec);
  }
  TempFiles(const TempFiles&) = delete;
  TempFiles& operator=(const TempFiles&) = delete;

  fs::path write(const std::string& name, const std::string& content) {
    const fs::path path = dir_ / (std::to_string(++count_) + "-" + name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

 private:
  fs::path dir_;
  unsigned long count_ = 0;
};

TempFiles& temp_files() {
  static TempFiles files;
  return files;
}

// The texts that garbage is made from: fluid files of each term family, a
// mixture file, and a mixing file holding the R32/R125 pair.
struct Originals {
  std::vector<std::string> fluids;
  std::string blend;
  std::string mixing;
};

const Originals& originals() {
  static const Originals o = [] {
    Originals r;
    const fs::path dir = data_dir();
    for (const char* f : {"R134a.fld", "Water.fld", "Ammonia.fld", "Helium.fld", "R32.fld"})
      r.fluids.push_back(read_text(dir / "fluids" / f));
    r.blend = read_text(dir / "mixtures" / "R410A.mix");
    const std::string hmx = read_text(dir / "fluids" / "hmx.bnc");
    // The pair and its departure function, cut out of the full file.
    const auto pair_at = hmx.find("\"fluid1\": \"R32\",\n");
    const auto departure_at = hmx.find("\"R32-R125\": {");
    if (pair_at != std::string::npos && departure_at != std::string::npos) {
      const auto pair_begin = hmx.rfind('{', pair_at), pair_end = hmx.find('}', pair_at);
      std::size_t depth = 0, end = departure_at;
      for (std::size_t i = hmx.find('{', departure_at); i < hmx.size(); ++i) {
        depth += hmx[i] == '{';
        depth -= hmx[i] == '}';
        if (depth == 0) {
          end = i + 1;
          break;
        }
      }
      r.mixing = "{\"format\": \"fluidcore-mixing 1\", \"pairs\": [" +
                 hmx.substr(pair_begin, pair_end + 1 - pair_begin) + "], \"departure_functions\": {" +
                 hmx.substr(departure_at, end - departure_at) + "}}";
    }
    return r;
  }();
  return o;
}

// text with a few numbers replaced by others, or a few bytes changed.
std::string mutated(FuzzedDataProvider& in, std::string text) {
  static const char* const kNumbers[] = {"0",    "-0",   "1",   "-1",   "1e308", "-1e308", "1e-320",
                                         "2",    "100",  "1e-9", "-1e-9", "64",   "65",    "1e400",
                                         "0.5",  "3",    "25",  "-25",  "1e9",  "\"x\"",  "null"};
  for (int edits = in.ConsumeIntegralInRange(1, 4); edits > 0 && !text.empty(); --edits) {
    const auto pos = in.ConsumeIntegralInRange<std::size_t>(0, text.size() - 1);
    if (in.ConsumeProbability<double>() < 0.8) {
      const auto start = text.find_first_of("-0123456789", pos);
      if (start == std::string::npos) continue;
      const auto end = std::min(text.find_first_not_of("-+.eE0123456789", start), text.size());
      const std::string replacement =
          in.ConsumeBool() ? in.PickValueInArray(kNumbers) : number(in.ConsumeFloatingPoint<double>());
      text.replace(start, end - start, replacement);
    } else {
      text[pos] = static_cast<char>(in.ConsumeIntegral<unsigned char>());
    }
  }
  return text;
}

}  // namespace

Model family_setup(FuzzedDataProvider& in) {
  Model m;
  m.known = false;
  m.x = leftover_composition(in);
  int n = 1;
  std::string files, mixing = kMixingFile, reference = "DEF";
  int width = kFluidcoreFileListWidth;
  switch (in.ConsumeIntegralInRange(0, 9)) {
    case 0: case 1: {  // texts of garbage
      static const int kCounts[] = {0, -1, 1, 2, 3, 20, 21, std::numeric_limits<int>::min(),
                                    std::numeric_limits<int>::max()};
      n = in.ConsumeBool() ? in.PickValueInArray(kCounts) : in.ConsumeIntegral<int>();
      files = in.ConsumeRandomLengthString(600);
      width = in.ConsumeBool() ? static_cast<int>(files.size()) : files_width(in, files);
      if (in.ConsumeBool()) mixing = in.ConsumeRandomLengthString(300);
      if (in.ConsumeBool()) reference = in.ConsumeRandomLengthString(5);
      break;
    }
    case 2: case 3: {  // a real name with garbage inserted, or cut short
      static const char* const kNames[] = {"fluids\\R22.fld", "fluids\\R410A.fld", "R134a",
                                           "fluids\\nitrogen.fld|fluids\\argon.fld|fluids\\oxygen.fld|",
                                           "fluids\\R32.fld|fluids\\R125.fld|", "mixtures\\R407C.mix"};
      files = in.PickValueInArray(kNames);
      n = static_cast<int>(std::count(files.begin(), files.end(), '|'));
      n = std::max(n, 1) + (in.ConsumeProbability<double>() < 0.2 ? in.ConsumeIntegralInRange(-2, 2) : 0);
      const auto at = in.ConsumeIntegralInRange<std::size_t>(0, files.size());
      if (in.ConsumeBool()) files.insert(at, in.ConsumeRandomLengthString(20));
      else files.resize(at);
      width = files_width(in, files);
      break;
    }
    case 4: {  // a fluid file of garbage
      files = temp_files().write("garbage.fld", in.ConsumeRandomLengthString(4000)).string();
      m.trusted = false;
      break;
    }
    case 5: case 6: {  // a real fluid file with a few numbers or bytes changed
      const auto& texts = originals().fluids;
      const std::string& text = texts[in.ConsumeIntegralInRange<std::size_t>(0, texts.size() - 1)];
      files = temp_files().write("changed.fld", mutated(in, text)).string();
      m.trusted = false;
      break;
    }
    case 7: case 8: {  // a mixture file with changes
      const std::string text = in.ConsumeProbability<double>() < 0.8 ? mutated(in, originals().blend)
                                                                     : in.ConsumeRandomLengthString(300);
      files = temp_files().write("blend.mix", text).string();
      m.blend = true;  // its own composition, whatever the calls hand over
      break;
    }
    default: {  // a mixing file with changes, for R32/R125
      n = 2;
      files = "fluids\\R32.fld|fluids\\R125.fld|";
      mixing = temp_files().write("mixing.bnc", mutated(in, originals().mixing)).string();
      m.trusted = false;
      m.x = composition(in, 2);
    }
  }
  m.name = std::to_string(n) + "|" + files + "|" + mixing + "|" + reference;
  const auto r = setup(n, files, width, mixing, reference, width_of(in));
  m.loaded = r.ierr <= 0;
  m.mixture = m.blend || n != 1;
  m.x_usable = usable(m.x, std::clamp(n, 1, kComponents));
  return m;
}

}  // namespace fuzz
