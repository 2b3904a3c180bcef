// Shared helpers of the mixture tests: mixtures by name, the reference
// table's mixtures, and SETUP of several components through the C entry
// point.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fluidcore/fixed_mixture.h"
#include "fluidcore/mixture_files.h"
#include "reference_data.h"

namespace fluidcore::test {

// The mixing rules of fluids/hmx.bnc.
std::shared_ptr<const MixingRules> mixing_rules();

// A model by name: "air" (nitrogen, argon, oxygen), a blend of mixtures/
// ("R410A"), or components joined by "/" ("R32/R1234yf").
std::shared_ptr<const Mixture> mixture(const std::string& name);

Fractions fractions(const std::vector<double>& x);

// The mixtures the round trips and benchmarks use, at their compositions:
// the blends by name, "air" (.7812/.0092/.2096) and "R32/R1234yf" (50/50).
const FixedMixture& fixed(const std::string& name);

// The mixture of a reference_mixtures.csv row (components and mole
// fractions as the table gives them).
const FixedMixture& reference_mixture(const Row& row);

// SETUPdll as the program calls it; returns ierr, the message without its
// padding in `message`.
int setup_components(const std::string& files, int n, std::string* message = nullptr);

}  // namespace fluidcore::test
