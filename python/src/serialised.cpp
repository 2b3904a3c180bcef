#include "serialised.h"

namespace heatpump_python {

std::mutex& ComputationTurn() {
  static std::mutex turn;
  return turn;
}

}  // namespace heatpump_python
