// Every reader of the data folders meets the entries that are no data file
// it can read, in a copy of a few of the shipped files: each is refused with
// the reason, at once, and the readable files are read as ever.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "catalogue/blend_facts.h"
#include "catalogue/fluid_facts.h"
#include "catalogue/library_files.h"
#include "datafiles/data_files.h"
#include "property/binding.h"
#include "property/property_functions.h"

namespace {

namespace fs = std::filesystem;

// One kind of entry: how it is made under a name, and the reason given.
struct Kind {
  const char* name;
  std::function<void(const fs::path&)> make;
  const char* reason;
};

const std::vector<Kind>& Kinds() {
  static const std::vector<Kind> kinds = {
      {"NamedPipe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
       "a named pipe, not a regular file"},
      {"LinkToDevice", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
       "a character device, not a regular file"},
      {"Folder", [](const fs::path& p) { fs::create_directory(p); },
       "a folder, not a regular file"},
      {"Oversized",
       [](const fs::path& p) {
         std::ofstream{p};
         fs::resize_file(p, datafiles::kLargestDataFile + 1);  // sparse: no disk used
       },
       "larger than 16 MiB (16777217 bytes)"},
      {"BrokenLink", [](const fs::path& p) { fs::create_symlink("nowhere.fld", p); },
       "No such file or directory"},
  };
  return kinds;
}

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

// A working folder with fluids/ and mixtures/ holding copies of a few
// shipped files and, for each kind, fluids/<Kind>.fld and
// mixtures/<Kind>Blend.mix; the test runs in it.
class DataFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("special_files_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    const fs::path shipped = ProgramFolder();
    for (const char* file : {"fluids/R32.fld", "fluids/R125.fld", "fluids/R134a.fld",
                             "fluids/hmx.bnc", "fluids/aliases.json", "mixtures/R410A.mix"}) {
      fs::create_directories((folder_ / file).parent_path());
      fs::copy_file(shipped / file, folder_ / file);
    }
    for (const Kind& kind : Kinds()) {
      kind.make(folder_ / "fluids" / (std::string(kind.name) + ".fld"));
      kind.make(folder_ / "mixtures" / (std::string(kind.name) + "Blend.mix"));
    }
    previous_ = fs::current_path();
    fs::current_path(folder_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }

  // Runs `read`; a reader that waits on a named pipe is freed after some
  // seconds by opening the pipes for writing, and the test fails.
  void Promptly(const std::function<void()>& read) {
    std::atomic<bool> done = false, freed = false;
    std::thread watchdog([&] {
      for (int i = 0; i < 500 && !done; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      if (done) return;
      freed = true;
      for (const char* pipe : {"fluids/NamedPipe.fld", "mixtures/NamedPipeBlend.mix"})
        ::close(::open((folder_ / pipe).c_str(), O_WRONLY | O_NONBLOCK));
    });
    read();
    done = true;
    watchdog.join();
    EXPECT_FALSE(freed) << "the reader waited on a named pipe";
  }

  fs::path folder_;
  fs::path previous_;
};

class SpecialFiles : public DataFolders, public ::testing::WithParamInterface<Kind> {
 protected:
  std::string FluidFile() const { return std::string(GetParam().name) + ".fld"; }
  std::string BlendFile() const { return std::string(GetParam().name) + "Blend.mix"; }
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_P(SpecialFiles, AreRefusedByTheReaderOfDataFiles) {
  Promptly([&] {
    try {
      datafiles::ReadDataFile(fs::path("fluids") / FluidFile());
      ADD_FAILURE() << "read";
    } catch (const datafiles::DataFileError& e) {
      EXPECT_EQ(std::string(e.what()), GetParam().reason);
    }
  });
  EXPECT_EQ(datafiles::FindFluidFile("fluids", GetParam().name), fs::path("fluids") / FluidFile())
      << "found, so that the reason can be told";
}

// The library's SETUP of a fluid file and of a blend by name, and the
// layer's own reading of a mixture file.
TEST_P(SpecialFiles, AreRefusedByThePropertyLibraryAndLayer) {
  property::BindLibrary(property::DefaultLibraryFile());
  const std::string blend = std::string(GetParam().name) + "Blend";
  const std::vector<std::pair<std::string, std::string>> requests = {
      {GetParam().name, "cannot read fluid file " + (folder_ / "fluids" / FluidFile()).string()},
      {blend, "cannot read mixture file " + (folder_ / "mixtures" / BlendFile()).string()},
      {BlendFile(), "Mixture file mixtures/" + BlendFile() + " cannot be read"},
  };
  for (const auto& [fluid, told] : requests) {
    property::PropertyResult result;
    Promptly([&] { result = property::CriticalPoint(fluid, "T", "mks"); });
    const auto* text = std::get_if<std::string>(&result);
    ASSERT_NE(text, nullptr) << fluid;
    EXPECT_TRUE(Contains(*text, told + " (" + GetParam().reason + ")")) << *text;
  }
  EXPECT_TRUE(std::holds_alternative<double>(property::CriticalPoint("R410A", "T", "mks")));
}

TEST_P(SpecialFiles, AreSkippedByTheCatalogueWithTheReason) {
  catalogue::LibraryFiles files;
  Promptly([&] { files = catalogue::ReadLibraryFiles(); });
  for (const std::string& file : {FluidFile(), BlendFile()}) {
    const std::string skipped = file + ": cannot be read (" + GetParam().reason + ")";
    EXPECT_NE(std::find(files.skipped.begin(), files.skipped.end(), skipped), files.skipped.end())
        << skipped;
  }
  EXPECT_EQ(files.fluids.size(), 3u);
  EXPECT_EQ(files.blends.size(), 1u);
  Promptly([&] {
    EXPECT_FALSE(catalogue::FluidFactsOf(GetParam().name));
    EXPECT_FALSE(catalogue::BlendComponentsOf(BlendFile()));
  });
  EXPECT_TRUE(catalogue::FluidFactsOf("R134a"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, SpecialFiles, ::testing::ValuesIn(Kinds()),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                           return std::string(info.param.name);
                         });

std::string Slurp(const fs::path& file) {
  std::ifstream in(file);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// All kinds at once; a screen that waits on a pipe is stopped by timeout.
TEST_F(DataFolders, ScreenSkipsThemWithTheReason) {
  const std::string command = std::string("timeout 120 '") + HPCALC_PATH +
                              "' screen --csv >out 2>err";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  const std::string err = Slurp("err");
  for (const Kind& kind : Kinds()) {
    for (const std::string& file :
         {std::string(kind.name) + ".fld", std::string(kind.name) + "Blend.mix"}) {
      const std::string skipped = "hpcalc: skipped " + file + ": cannot be read (" + kind.reason + ")";
      EXPECT_TRUE(Contains(err, skipped + "\n")) << err;
    }
  }
  const std::string out = Slurp("out");
  for (const char* fluid : {"R134a", "R32", "R125", "R410A"}) {
    EXPECT_TRUE(Contains(out, fluid)) << out;
  }
}

}  // namespace
