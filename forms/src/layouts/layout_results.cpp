#include "layouts/layout_results.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include <vector>

#include "common/design.h"
#include "common/export_actions.h"
#include "diagram/diagram_page.h"
#include "forms/page_names.h"
#include "layouts/layout_comparison.h"
#include "layouts/report_views.h"
#include "plots/bar_chart.h"
#include "report/layout_tables.h"
#include "report/report_file.h"

namespace forms {
namespace {

constexpr QSize kUsefulSize{1280, 860};
constexpr QSize kSmallestSize{1000, 680};

}  // namespace

LayoutResults::LayoutResults(Shell& shell) : shell_(shell) {
  setWindowTitle(QString::fromLatin1(kTitle));
  SizeGrowingPage(*this, kUsefulSize, kSmallestSize);

  auto* layout = new QVBoxLayout(this);
  title_ = AddHeading(*this, QStringLiteral("Cycle Layouts"));
  title_->setObjectName(QStringLiteral("Title"));
  title_->setAlignment(Qt::AlignCenter);
  layout->addWidget(title_);
  verdict_ = new QLabel(this);
  verdict_->setObjectName(QStringLiteral("Verdict"));
  verdict_->setWordWrap(true);
  verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(verdict_);

  auto* body = new QHBoxLayout;
  layout->addLayout(body, 1);
  // The tables as large as their rows on the left, the charts sharing the rest.
  auto* left = new QVBoxLayout;
  body->addLayout(left);
  left->addWidget(AddHeading(*this, QStringLiteral("Figures")));
  figures_ = &AddTableView(*this, QStringLiteral("Figures"), true);
  figures_->horizontalHeader()->hide();  // label, value, unit: plain without headings
  left->addWidget(figures_);
  left->addSpacing(fontMetrics().height() / 2);
  left->addWidget(AddHeading(*this, QStringLiteral("States")));
  states_ = &AddTableView(*this, QStringLiteral("States"), true);
  left->addWidget(states_);
  left->addStretch();

  auto* right = new QVBoxLayout;
  body->addLayout(right, 1);
  diagram_ = new plots::CycleDiagramPlot(plots::DiagramLook::Chart, this);
  diagram_->setObjectName(QStringLiteral("Diagram"));
  right->addWidget(diagram_, 3);
  right->addWidget(AddHeading(*this, QStringLiteral("Exergy destroyed")));
  losses_ = new QCustomPlot(this);
  losses_->setObjectName(QStringLiteral("Losses"));
  right->addWidget(losses_, 2);

  auto* bottom = new QHBoxLayout;
  layout->addLayout(bottom);
  auto& back = AddButton(*this, *bottom, QStringLiteral("Back"), QStringLiteral("Back"));
  bottom->addStretch();
  auto& compare = AddButton(*this, *bottom, QStringLiteral("CompareLayouts"),
                            QStringLiteral("Compare Layouts"));
  compare.setToolTip(QStringLiteral("The four layouts side by side for the same inputs"));
  auto& more =
      AddButton(*this, *bottom, QStringLiteral("DiagramPage"), QStringLiteral("Diagram..."));
  more.setToolTip(
      QStringLiteral("The p-h or T-s diagram, read under the pointer, zoomed, exported"));
  auto& copy = AddButton(*this, *bottom, QStringLiteral("Copy"), QStringLiteral("Copy"));
  auto& save =
      AddButton(*this, *bottom, QStringLiteral("SaveReport"), QStringLiteral("Save Report..."));
  // Several ways on, none the main one: Return presses the focused button.
  DeclareKeyButtons(*this, {.back = &back});
  connect(&back, &QPushButton::clicked, this, &LayoutResults::Back);
  connect(&compare, &QPushButton::clicked, this, &LayoutResults::CompareLayouts);
  connect(&more, &QPushButton::clicked, this, &LayoutResults::OpenDiagramPage);
  connect(&copy, &QPushButton::clicked, this, &LayoutResults::Copy);
  connect(&save, &QPushButton::clicked, this, &LayoutResults::SaveReport);
}

void LayoutResults::ShowResults(const cycle::LayoutInput& input,
                                const cycle::LayoutResult& result) {
  shown_ = Shown{input, result};
  title_->setText(QStringLiteral("%1: %2").arg(Words(cycle::LayoutTitle(result.layout)),
                                               QString::fromStdString(result.refrigerant)));
  verdict_->setText(QString::fromStdString(cycle::WetCompressionVerdict(result)));
  // A compression that ends wet is a warning, in the colour of one.
  QPalette palette = verdict_->palette();
  const bool warning = result.wet_compression || result.discharge_quality.has_value();
  palette.setColor(QPalette::WindowText,
                   warning ? QColor(170, 20, 20) : this->palette().color(QPalette::WindowText));
  verdict_->setPalette(palette);
  ShowTable(*figures_, report::LabelledTable(report::LayoutFigures(result)));
  ShowTable(*states_, report::LayoutStatePoints(result));
  ShowLosses(result);
  ShowDiagram(result);
}

void LayoutResults::ShowLosses(const cycle::LayoutResult& result) {
  QStringList components;
  std::vector<double> losses;
  for (const cycle::Component component : cycle::ComponentsOf(result.layout)) {
    components << ChartLabel(Words(cycle::ComponentLabel(component, result.layout)));
    losses.push_back(result.Loss(component));
  }
  plots::DrawBars(*losses_, components, losses, QStringLiteral("kW"), 3);
}

void LayoutResults::ShowDiagram(const cycle::LayoutResult& result) {
  constexpr auto kKind = cycle::DiagramKind::PressureEnthalpy;
  DrawDiagram(*diagram_, cycle::LayoutDiagram(result, kKind), kKind);
}

void LayoutResults::Back() {
  shell_.pages.Unload(page::LayoutResults);
  shell_.pages.Show(page::LayoutsForm);
}

// This page waits, hidden with its figures, for the next page's Back.
void LayoutResults::CompareLayouts() {
  if (!shown_) return;
  shell_.pages.Get<LayoutComparison>(page::LayoutComparison).ShowComparison(shown_->input);
  shell_.pages.Hide(page::LayoutResults);
  shell_.pages.Show(page::LayoutComparison);
}

void LayoutResults::OpenDiagramPage() {
  if (!shown_) return;
  shell_.pages.Hide(page::LayoutResults);
  shell_.pages.Get<DiagramPage>(page::Diagram).ShowLayout(shown_->result, page::LayoutResults);
  shell_.pages.Show(page::Diagram);
}

void LayoutResults::Copy() {
  if (!shown_) return;
  report::LabelledValues rows = report::LayoutInputs(shown_->input);
  const report::LabelledValues figures = report::LayoutFigures(shown_->result);
  rows.insert(rows.end(), figures.begin(), figures.end());
  CopyTable(report::LabelledTable(rows));
}

void LayoutResults::SaveReport() {
  if (!shown_) return;
  const cycle::LayoutOutcome outcome{shown_->result.refrigerant, shown_->result.layout,
                                     shown_->result};
  SaveAs(shell_, this, ReportChoice(), [&](const QString& file) {
    return report::WriteLayoutReport(file, shown_->input, {&outcome, 1});
  });
}

}  // namespace forms
