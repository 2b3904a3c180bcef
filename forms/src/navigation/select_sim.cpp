#include "navigation/select_sim.h"

#include "forms/page_names.h"

namespace forms {

SelectSim::SelectSim(Shell& shell) : PageWindow(13944, 13414), shell_(shell) {
  AddLabel(*this, "Label1", "System Simulation ", {2117, 1270, 9525, 1271}, Emphasis::Title);
  auto& compare =
      AddButton(*this, "CommandButton1", "Choose Type Working Fluids", {2540, 4022, 8467, 1270});
  auto& basic = AddButton(*this, "CommandButton2", "Basic Calculation", {2540, 6562, 8467, 1270});
  auto& back = AddButton(*this, "CommandButton4", "Back ", {2540, 9102, 8467, 1270});
  // Below the menu, one button's pitch further down, in the page's free space:
  // the further calculations side by side across the menu's column.
  auto& transcritical =
      AddButton(*this, "Transcritical", "Transcritical Cycle", {2540, 11642, 4106, 1270});
  auto& layouts = AddButton(*this, "CycleLayouts", "Cycle Layouts", {6901, 11642, 4106, 1270});
  // Several ways on, none the main one: Return presses the focused button.
  DeclareKeyButtons(*this, {.back = &back});

  connect(&compare, &QPushButton::clicked, this, [this] { MoveTo(page::UserForm4); });
  connect(&basic, &QPushButton::clicked, this, [this] { MoveTo(page::UserForm1); });
  connect(&back, &QPushButton::clicked, this, [this] { MoveTo(page::FristPage); });
  connect(&transcritical, &QPushButton::clicked, this,
          [this] { MoveTo(page::TranscriticalForm); });
  connect(&layouts, &QPushButton::clicked, this, [this] { MoveTo(page::LayoutsForm); });
}

void SelectSim::MoveTo(const QString& next) {
  shell_.pages.Unload(page::SelectSim);
  shell_.pages.Show(next);
}

}  // namespace forms
