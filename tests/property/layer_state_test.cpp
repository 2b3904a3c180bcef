#include "property/layer_state.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace property {
namespace {

TEST(FixedText, ShorterTextIsPaddedWithBlanks) {
  FixedText<255> text("Too many components");
  EXPECT_EQ(text.View().size(), 255u);
  EXPECT_EQ(text.Str(), std::string("Too many components").append(255 - 19, ' '));
  EXPECT_EQ(text.Trimmed(), "Too many components");
}

TEST(FixedText, LongerTextIsCutAtTheWidth) {
  FixedText<3> text("DEFAULT");
  EXPECT_EQ(text.Str(), "DEF");
}

TEST(FixedText, EmptyTextIsAllBlanks) {
  FixedText<10> text("something");
  text = "";
  EXPECT_EQ(text.Str(), std::string(10, ' '));
  EXPECT_EQ(text.Trimmed(), "");
}

TEST(FixedText, LibraryCStringEndsAtItsNul) {
  FixedText<12> text;
  std::memcpy(text.Buffer(), "bad\0#######", 12);
  text.AdoptLibraryText();
  EXPECT_EQ(text.Str(), "bad         ");
}

TEST(FixedText, LibraryTextFillingTheWidthIsTakenWhole) {
  FixedText<5> text;
  std::memcpy(text.Buffer(), "abcde", 5);
  text.AdoptLibraryText();
  EXPECT_EQ(text.Str(), "abcde");
}

TEST(FixedText, NulWrittenJustPastTheWidthHarmsNothing) {
  FixedText<4> text;
  std::memcpy(text.Buffer(), "wxyz", 5);  // the terminator lands on the guard byte
  text.AdoptLibraryText();
  EXPECT_EQ(text.Str(), "wxyz");
}

TEST(StateCache, ResetClearsTheComputedFieldsOnly) {
  StateCache s;
  double value = 1;
  for (double* field : {&s.T, &s.P, &s.D, &s.Dl, &s.Dv, &s.Q, &s.E, &s.H, &s.S, &s.Cv, &s.Cp, &s.W,
                        &s.JT, &s.Tcrit, &s.Pcrit, &s.Dcrit}) {
    *field = value++;
  }
  s.Reset();
  for (double field : {s.T, s.P, s.D, s.Dl, s.Dv, s.Q, s.E, s.H, s.S, s.Cv, s.Cp, s.W}) {
    EXPECT_EQ(field, 0);
  }
  EXPECT_EQ(s.JT, 13);
  EXPECT_EQ(s.Tcrit, 14);
  EXPECT_EQ(s.Pcrit, 15);
  EXPECT_EQ(s.Dcrit, 16);
}

TEST(ComponentFractions, PositionsCountFromOne) {
  ComponentFractions x;
  x.at(1) = 0.25;
  x.at(20) = 0.75;
  EXPECT_EQ(x.data()[0], 0.25);
  EXPECT_EQ(x.data()[19], 0.75);
  EXPECT_THROW(x.at(21), std::out_of_range);
  EXPECT_THROW(x.at(0), std::out_of_range);
}

}  // namespace
}  // namespace property
