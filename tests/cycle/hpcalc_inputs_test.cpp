// hpcalc --save-inputs writes a form's inputs file and --inputs reads one in
// place of the defaults, options after it winning over it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "hpcalc_run.h"

namespace {

using namespace hpcalc_test;
namespace fs = std::filesystem;

using Args = std::vector<std::string>;

class HpcalcInputs : public testing::Test {
 protected:
  HpcalcInputs() { fs::create_directories(dir_); }
  ~HpcalcInputs() override { fs::remove_all(dir_); }

  std::string Saved(const std::string& name, Args args) const {
    const std::string file = (dir_ / name).string();
    args.insert(args.end(), {"--save-inputs", file});
    const hpcalc_test::Run run = Hpcalc(args);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    return file;
  }

  const fs::path dir_ =
      fs::temp_directory_path() / ("hpcalc_inputs_test_" + std::to_string(::getpid()));
};

// Each run with a file saved by the first arguments prints what the command
// line in full prints.
TEST_F(HpcalcInputs, ASavedFileStandsForItsOptionsAndOptionsAfterItWin) {
  const Args basic{"basic", "--condensing", "85", "--refrigerant", "R134a"};
  const Args compare{"compare", "R134a", "R290", "--subcooling", "5"};
  const Args layout{"layout", "ihx", "R290", "--approach", "3", "--condensing", "80"};
  const struct {
    const char* what;
    Args saved;
    Args with_file;  // "FILE" stands for the file
    Args same_as;
  } cases[] = {
      {"basic", basic, {"basic", "--inputs", "FILE", "--csv"},
       {"basic", "--condensing", "85", "--refrigerant", "R134a", "--csv"}},
      {"an option after the file", basic,
       {"basic", "--inputs", "FILE", "--condensing", "80", "--csv"},
       {"basic", "--condensing", "80", "--refrigerant", "R134a", "--csv"}},
      {"an option before the file", basic,
       {"basic", "--condensing", "80", "--refrigerant", "R22", "--inputs", "FILE", "--csv"},
       {"basic", "--condensing", "85", "--refrigerant", "R134a", "--csv"}},
      {"the comparison's refrigerants", compare, {"compare", "--inputs", "FILE", "--csv"},
       {"compare", "R134a", "R290", "--subcooling", "5", "--csv"}},
      {"names given", compare, {"compare", "R22", "--inputs", "FILE", "--csv"},
       {"compare", "R22", "--subcooling", "5", "--csv"}},
      {"the comparison's diagram", compare, {"diagram", "ts", "compare", "--inputs", "FILE"},
       {"diagram", "ts", "compare", "R134a", "R290", "--subcooling", "5"}},
      {"transcritical", {"transcritical", "--water-out", "60", "--efficiency", "75"},
       {"transcritical", "--inputs", "FILE", "--csv"},
       {"transcritical", "--water-out", "60", "--efficiency", "75", "--csv"}},
      {"another layout", layout, {"layout", "economizer", "--inputs", "FILE", "--csv"},
       {"layout", "economizer", "R290", "--approach", "3", "--condensing", "80", "--csv"}},
      {"a file saved with a file", {"basic", "--inputs", "FILE", "--flow", "2"},
       {"basic", "--inputs", "FILE", "--csv"},
       {"basic", "--condensing", "85", "--refrigerant", "R134a", "--flow", "2", "--csv"}},
  };
  const std::string first = Saved("first.hpc", basic);
  int k = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Args saved = c.saved;
    for (std::string& arg : saved) arg = arg == "FILE" ? first : arg;
    const std::string file = Saved(std::to_string(++k) + ".hpc", saved);
    Args with_file = c.with_file;
    for (std::string& arg : with_file) arg = arg == "FILE" ? file : arg;
    const hpcalc_test::Run run = Hpcalc(with_file);
    const hpcalc_test::Run expected = Hpcalc(c.same_as);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    ASSERT_FALSE(expected.out.empty()) << expected.err;
    EXPECT_EQ(run.out, expected.out);
  }
}

// The file the forms open: the format, its version, the form, and every
// field's text as given, in the order of the command's options.
TEST_F(HpcalcInputs, TheSavedFileHoldsTheFormAndEveryFieldAsTyped) {
  const std::string file = Saved("typed.hpc", {"compare", "--condensing", " 85 ", "R134a"});
  EXPECT_EQ(Slurp(file), R"({
  "format": "heatpump-inputs",
  "version": 1,
  "form": "comparison",
  "fields": {
    "capacity": "10",
    "evaporating": "50",
    "subcooling": "3.5",
    "superheating": "4",
    "condensing": " 85 ",
    "safety": "100",
    "efficiency": "80"
  },
  "refrigerants": [
    "R134a"
  ]
}
)");
}

TEST_F(HpcalcInputs, AFileThatCannotBeUsedIsRefusedWithTheReason) {
  const std::string basic = Saved("basic.hpc", {"basic"});
  const std::string missing = (dir_ / "missing.hpc").string();
  const std::string no_folder = (dir_ / "none" / "a.hpc").string();
  const struct {
    Args args;
    int exit_code;
    std::string first_line;
  } cases[] = {
      {{"compare", "R22", "--inputs", basic}, 1,
       "Cannot open " + basic +
           ": it holds the inputs of the basic calculation, not of the comparison of working "
           "fluids"},
      {{"screen", "--inputs", basic}, 1,
       "Cannot open " + basic +
           ": it holds the inputs of the basic calculation, not of the comparison of working "
           "fluids"},
      {{"basic", "--inputs", missing}, 1, "Cannot open " + missing + ": No such file or directory"},
      {{"basic", "--inputs", ""}, 2, "hpcalc: --inputs takes a file name, not an empty text"},
      {{"basic", "--save-inputs", no_folder}, 1,
       "Cannot write " + no_folder + ": the folder " + (dir_ / "none").string() +
           " does not exist"},
      {{"layout", "ihx", "R22", "R290", "--save-inputs", missing}, 2,
       "hpcalc: --save-inputs: the form holds one refrigerant, not 2"},
      {{"compare", "R1", "R2", "R3", "R4", "R5", "R6", "R7", "R8", "R9", "--save-inputs", missing},
       2, "hpcalc: --save-inputs: the comparison's form holds at most eight refrigerants"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first_line);
    const hpcalc_test::Run run = Hpcalc(c.args);
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.first_line);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(fs::exists(missing));
}

}  // namespace
