#include "cycle/comparison.h"

namespace cycle {

ComparisonResults& SharedComparisonResults() {
  static ComparisonResults results;
  return results;
}

}  // namespace cycle
