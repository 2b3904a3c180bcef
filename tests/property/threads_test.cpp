// Property requests from several threads at once, through the real property
// library: each thread's requests give, bit for bit, what they give made one
// after another on one thread, whatever fluid the other threads load and
// whether their requests fail.
#include <gtest/gtest.h>

#include <barrier>
#include <bit>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "property/binding.h"
#include "property/property_functions.h"
#include "on_threads.h"
#include "recording_fixture.h"

namespace property {
namespace {

// Every result and error code of a thread's requests, numbers by their bits.
struct Record {
  std::vector<std::uint64_t> bits;
  std::vector<std::string> texts;

  void Add(const PropertyResult& result) {
    if (const double* value = std::get_if<double>(&result)) {
      bits.push_back(std::bit_cast<std::uint64_t>(*value));
    } else if (const auto* text = std::get_if<std::string>(&result)) {
      texts.push_back(*text);
    }
    bits.push_back(static_cast<std::uint64_t>(Layer().ErrorCode));
  }
  bool operator==(const Record&) const = default;
};

constexpr int kRounds = 4;

// A round's requests on one fluid, as a cycle makes them ("mks", kelvin):
// the critical temperature first (it loads the fluid), then, once every
// thread has loaded its own, saturation pressures, states by TP and back by
// PH, entropies and volumes from 250 to 330 K.
void Round(const std::string& fluid, std::barrier<>* together, Record& r) {
  r.Add(CriticalPoint(fluid, "T", "mks"));
  if (together) together->arrive_and_wait();
  for (double T = 250; T <= 330; T += 10) {
    const PropertyResult p = Pressure(fluid, "Tvap", "mks", T);
    r.Add(p);
    const double p_given = std::holds_alternative<double>(p) ? std::get<double>(p) * 0.8 : 100;
    const PropertyResult h = Enthalpy(fluid, "TP", "mks", T + 15, p_given);
    r.Add(h);
    r.Add(Temperature(fluid, "PH", "mks", p_given,
                      std::holds_alternative<double>(h) ? std::get<double>(h) : 400));
    r.Add(Entropy(fluid, "Tliq", "mks", T));
    r.Add(Volume(fluid, "TP", "mks", T + 15, p_given));
  }
}

// Round after round, each on the next of the thread's fluids.
Record RunRounds(const std::vector<std::string>& fluids, std::barrier<>* together) {
  Record r;
  for (int round = 0; round < kRounds; ++round) {
    if (together) together->arrive_and_wait();
    Round(fluids[static_cast<std::size_t>(round) % fluids.size()], together, r);
  }
  return r;
}

struct Case {
  const char* name;
  std::vector<std::vector<std::string>> threads;  // the fluids of each thread
};

class LayerThreads : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    testing::FreshLayer();
    BindLibrary(DefaultLibraryFile());
    ASSERT_EQ(Library().failure, "");
  }
};

TEST_P(LayerThreads, EachGetsWhatItGetsAlone) {
  const auto& fluids = GetParam().threads;
  const auto together = heatpump_test::OnThreads<Record>(
      fluids.size(),
      [&](std::size_t i, std::barrier<>& start) { return RunRounds(fluids[i], &start); });
  for (std::size_t i = 0; i < fluids.size(); ++i) {
    const Record alone = RunRounds(fluids[i], nullptr);
    EXPECT_EQ(together[i], alone) << "thread " << i << ": " << fluids[i].front();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayerThreads,
    ::testing::Values(
        Case{"TwoThreadsSwappingFluids", {{"R134a", "R22"}, {"R22", "R134a"}}},
        Case{"BlendsMixturesAndFailures",
             {{"R410A", "R32,0.3,R125,0.7"}, {"Water"}, {"R999", "AIR"}, {"R407C.mix", "R290"}}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace property
