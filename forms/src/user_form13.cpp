#include "user_form13.h"

#include "cycle_pictures.h"
#include "forms/page_names.h"

namespace forms {

UserForm13::UserForm13(Shell& shell) : PageWindow(16087, 17145), shell_(shell) {
  auto* schematic = new PictureControl(kCycleSchematic, this);
  schematic->setObjectName("Image1");
  Place(*schematic, {0, 0, 16086, 9102});
  auto* diagram = new PictureControl(kPressureEnthalpyDiagram, this);
  diagram->setObjectName("Image2");
  Place(*diagram, {0, 9102, 16087, 8043});
  // Lies over the lower right corner of the schematic.
  auto& back = AddButton(*this, "CommandButton2", "Back", {12488, 8043, 3598, 1058});
  back.raise();
  connect(&back, &QPushButton::clicked, this, &UserForm13::CommandButton2_Click);
}

void UserForm13::CommandButton2_Click() {
  shell_.pages.Unload(page::UserForm13);
  shell_.pages.Show(page::UserForm2);
}

}  // namespace forms
