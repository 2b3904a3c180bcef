#include "navigation/user_form13.h"

#include "diagram/diagram_page.h"
#include "navigation/cycle_pictures.h"
#include "forms/page_names.h"
#include "plots/cycle_diagram_plot.h"
#include "basic/user_form2.h"

namespace forms {

namespace {

// The pressure-enthalpy diagram of the calculation the results page shows.
void DrawCycleOfResults(Shell& shell, plots::CycleDiagramPlot& picture) {
  constexpr auto kKind = cycle::DiagramKind::PressureEnthalpy;
  const auto input = shell.pages.State(page::UserForm2) == PageState::NotLoaded
                         ? std::nullopt
                         : shell.pages.Get<UserForm2>(page::UserForm2).ShownInput();
  if (!input) {
    picture.DrawNothing(kKind, QStringLiteral("No calculation to show"));
    return;
  }
  DrawDiagram(picture, cycle::BasicCycleDiagram(*input, kKind), kKind);
}

}  // namespace

UserForm13::UserForm13(Shell& shell) : PageWindow(16087, 17145), shell_(shell) {
  auto* schematic = new PictureControl(kCycleSchematic, this);
  schematic->setObjectName("Image1");
  Place(*schematic, {0, 0, 16086, 9102});
  auto* diagram = new plots::CycleDiagramPlot(plots::DiagramLook::Picture, this);
  diagram->setObjectName("Image2");
  Place(*diagram, {0, 9102, 16087, 8043});
  DrawCycleOfResults(shell, *diagram);
  // Lies over the lower right corner of the schematic.
  auto& back = AddButton(*this, "CommandButton2", "Back", {12488, 8043, 3598, 1058});
  back.raise();
  DeclareKeyButtons(*this, {.main = &back, .back = &back});
  connect(&back, &QPushButton::clicked, this, &UserForm13::CommandButton2_Click);
}

void UserForm13::CommandButton2_Click() {
  shell_.pages.Unload(page::UserForm13);
  shell_.pages.Show(page::UserForm2);
}

}  // namespace forms
