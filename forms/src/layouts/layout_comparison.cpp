#include "layouts/layout_comparison.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "common/design.h"
#include "common/export_actions.h"
#include "forms/page_names.h"
#include "layouts/report_views.h"
#include "plots/bar_chart.h"
#include "report/layout_tables.h"

namespace forms {
namespace {

constexpr QSize kUsefulSize{1100, 700};
constexpr QSize kSmallestSize{860, 560};

}  // namespace

LayoutComparison::LayoutComparison(Shell& shell) : shell_(shell) {
  setWindowTitle(QString::fromLatin1(kTitle));
  SizeGrowingPage(*this, kUsefulSize, kSmallestSize);

  auto* layout = new QVBoxLayout(this);
  title_ = AddHeading(*this, QStringLiteral("Compare Layouts"));
  title_->setObjectName(QStringLiteral("Title"));
  title_->setAlignment(Qt::AlignCenter);
  layout->addWidget(title_);
  // As high as its rows; the note takes the width the figures leave.
  table_ = &AddTableView(*this, QStringLiteral("Layouts"), false);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  table_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  layout->addWidget(table_);

  auto* charts = new QHBoxLayout;
  layout->addLayout(charts, 1);
  cop_ = new QCustomPlot(this);
  cop_->setObjectName(QStringLiteral("COP"));
  charts->addWidget(cop_);
  efficiency_ = new QCustomPlot(this);
  efficiency_->setObjectName(QStringLiteral("ExergyEfficiency"));
  charts->addWidget(efficiency_);

  auto* bottom = new QHBoxLayout;
  layout->addLayout(bottom);
  auto& back = AddButton(*this, *bottom, QStringLiteral("Back"), QStringLiteral("Back"));
  bottom->addStretch();
  auto& copy = AddButton(*this, *bottom, QStringLiteral("Copy"), QStringLiteral("Copy"));
  // The results it came from are the only way on.
  DeclareKeyButtons(*this, {.main = &back, .back = &back});
  connect(&back, &QPushButton::clicked, this, &LayoutComparison::Back);
  connect(&copy, &QPushButton::clicked, this,
          [this] { CopyTable(report::CompareLayoutsTable(outcomes_)); });
}

void LayoutComparison::ShowComparison(const cycle::LayoutInput& input) {
  outcomes_ = cycle::CompareLayouts(input);
  title_->setText(
      QStringLiteral("Compare Layouts: %1").arg(QString::fromStdString(input.Refrigerant)));
  ShowTable(*table_, report::CompareLayoutsTable(outcomes_));
  ShowCharts(outcomes_);
}

void LayoutComparison::ShowCharts(const std::vector<cycle::LayoutOutcome>& outcomes) {
  QStringList names;
  std::vector<double> cop, efficiency;
  for (const cycle::LayoutOutcome& outcome : outcomes) {
    const cycle::LayoutResult* result = outcome.result();
    if (result == nullptr) continue;
    names << ChartLabel(Words(cycle::LayoutTitle(outcome.layout)));
    cop.push_back(result->cop);
    efficiency.push_back(100 * result->exergy_efficiency);
  }
  plots::DrawBars(*cop_, names, cop, QStringLiteral("Heating COP (-)"), 3);
  plots::DrawBars(*efficiency_, names, efficiency, QStringLiteral("Exergy efficiency (%)"), 1);
}

void LayoutComparison::Back() {
  shell_.pages.Unload(page::LayoutComparison);
  shell_.pages.Show(page::LayoutResults);
}

}  // namespace forms
