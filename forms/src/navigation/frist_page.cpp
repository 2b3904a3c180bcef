#include "navigation/frist_page.h"

#include <QFileInfo>
#include <QPointer>

#include "forms/page_names.h"

namespace forms {

FristPage::FristPage(Shell& shell) : PageWindow(13944, 13414), shell_(shell) {
  AddLabel(*this, "Label1", "Simulation of Vapor Compression Heat Pump", {1482, 847, 10795, 2751},
           Emphasis::Title);
  auto& simulation = AddButton(*this, "CommandButton1", "Simulation", {3387, 3598, 6985, 1270});
  auto& document = AddButton(*this, "CommandButton2", "Document", {3387, 5715, 6985, 1270});
  auto& close = AddButton(*this, "CommandButton3", "Close", {3387, 8043, 6985, 1270});
  auto& credits = AddLabel(*this, "Label2",
                           "The heatpump project, 2025\n"
                           "Vapor Compression Heat Pump Simulation\n"
                           "Thermal and Fluid Engineering\n"
                           "Real-fluid properties by the fluidcore library",
                           {-212, 10160, 14182, 3175});
  credits.setAlignment(Qt::AlignCenter);
  DeclareKeyButtons(*this, {.main = &simulation});

  connect(&simulation, &QPushButton::clicked, this, &FristPage::CommandButton1_Click);
  connect(&document, &QPushButton::clicked, this, &FristPage::CommandButton2_Click);
  connect(&close, &QPushButton::clicked, this, &FristPage::CommandButton3_Click);
}

void FristPage::CommandButton1_Click() {
  shell_.pages.Unload(page::FristPage);
  shell_.pages.Show(page::SelectSim);
}

// Unlike a silent shell call, a document that cannot be opened is reported
// with its path, so that the user knows what is missing where.
void FristPage::CommandButton2_Click() {
  const QString& path = shell_.document_path;
  if (!QFileInfo(path).isFile()) {
    shell_.message(this, QStringLiteral("The working-fluid selection document was not found:\n%1")
                             .arg(path));
    return;
  }
  // The desktop may answer after the user has moved on: the message goes
  // over this page only while it is still on screen.
  shell_.open_document(path, [&shell = shell_, page = QPointer<FristPage>(this), path] {
    if (page == nullptr || !page->isVisible()) return;
    shell.message(page,
                  QStringLiteral("The working-fluid selection document could not be opened; "
                                 "no application for PDF documents was found:\n%1")
                      .arg(path));
  });
}

void FristPage::CommandButton3_Click() { shell_.pages.Unload(page::FristPage); }

}  // namespace forms
