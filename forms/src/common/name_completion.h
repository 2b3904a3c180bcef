// Completion of the names typed into a refrigerant box: as the user types, a
// list of the fluids, aliases and blends the property library takes whose
// name starts with the text (these first) or contains it, without regard to
// case, each with its critical temperature and safety class. Choosing one
// puts the bare name in the box. The box stays a free text box: what is
// typed is checked by Calculate as before.
#pragma once

#include <QLineEdit>

namespace forms {

// Suggests names in the box as it is edited. The box owns what this adds. The
// names are listed once per process, when a box is first edited (every fluid
// is loaded once for its critical point: about a tenth of a second).
void CompleteRefrigerantNames(QLineEdit& box);

}  // namespace forms
