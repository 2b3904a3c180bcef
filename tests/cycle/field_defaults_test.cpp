// The calculations' tables of defaults: one entry per field and option, and
// the inputs that start at their form's defaults start at their table's.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/layouts.h"
#include "cycle/transcritical.h"

namespace {

// No option or field twice: a command line could not tell them apart, and
// a field would have two defaults.
template <typename Fields, std::size_t N>
void ExpectEachOptionAndFieldOnce(const cycle::FieldDefaults<Fields, N>& table) {
  std::set<std::string_view> options;
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_TRUE(options.insert(table[i].option).second) << table[i].option;
    EXPECT_FALSE(table[i].help.empty()) << table[i].option;
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_NE(table[i].field, table[j].field) << table[i].option << ", " << table[j].option;
    }
  }
}

TEST(FieldDefaults, NameEachOptionAndFieldOnce) {
  ExpectEachOptionAndFieldOnce(cycle::kBasicDefaults);
  ExpectEachOptionAndFieldOnce(cycle::kComparisonDefaults);
  ExpectEachOptionAndFieldOnce(cycle::kTranscriticalDefaults);
  ExpectEachOptionAndFieldOnce(cycle::kLayoutDefaults);
}

// Each field of the structs that start at their form's defaults starts at
// its own entry's text.
TEST(FieldDefaults, InputsStartAtTheirTablesTexts) {
  const cycle::LayoutInput layout;
  for (const auto& entry : cycle::kLayoutDefaults) {
    EXPECT_EQ(layout.*entry.field, entry.text) << entry.option;
  }
  const cycle::TranscriticalInput transcritical;
  for (const auto& entry : cycle::kTranscriticalDefaults) {
    EXPECT_EQ(transcritical.*entry.field, entry.text) << entry.option;
  }
}

}  // namespace
