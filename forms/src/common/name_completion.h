// Completion of the names typed into a refrigerant box: as the user types, a
// list of the fluids and blends the property library takes that have a name
// starting with the text (these first) or containing it, without regard to
// case: each fluid once, under the name that matched, with its critical
// temperature, safety class and its other names. Choosing one puts the bare
// name in the box. The box stays a free text box: what is typed (an alias
// too) is checked by Calculate as before.
#pragma once

#include <QLineEdit>

namespace forms {

// Suggests names in the box as it is edited. The box owns what this adds. The
// fluids are listed once per process, when a box is first edited, from what
// their files state (a few milliseconds).
void CompleteRefrigerantNames(QLineEdit& box);

}  // namespace forms
