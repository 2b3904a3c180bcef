#include "transcritical/transcritical_results.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>


#include "common/design.h"
#include "common/export_actions.h"
#include "diagram/diagram_page.h"
#include "forms/page_names.h"
#include "report/report_file.h"
#include "report/report_tables.h"

namespace forms {
namespace {

constexpr QSize kUsefulSize{1240, 820};
constexpr QSize kSmallestSize{960, 640};

using cycle::DiagramState;
using cycle::TranscriticalResult;

// The rows of the table of states: the name of each row's boxes (P1, T1,
// H1, S1 ...), its heading and its state.
struct StateRow {
  const char* point;
  const char* heading;
  DiagramState TranscriticalResult::*state;
};
constexpr StateRow kStates[] = {
    {"1", "1  suction", &TranscriticalResult::suction},
    {"2s", "2s  isentropic discharge", &TranscriticalResult::isentropic_discharge},
    {"2", "2  discharge", &TranscriticalResult::discharge},
    {"3", "3  gas cooler outlet", &TranscriticalResult::gas_cooler_outlet},
    {"4", "4  evaporator inlet", &TranscriticalResult::evaporator_inlet},
};

// The columns of the table: the boxes' first letter, heading, the figure
// and its decimals.
struct StateColumn {
  const char* prefix;
  const char* heading;
  double DiagramState::*figure;
  int decimals;
};
constexpr StateColumn kColumns[] = {
    {"P", "p (bar)", &DiagramState::p, 2},
    {"T", "T ('C)", &DiagramState::T, 2},
    {"H", "h (kJ/kg)", &DiagramState::h, 2},
    {"S", "s (kJ/kg-K)", &DiagramState::s, 4},
};

QLineEdit* AddBox(QWidget& page, const QString& name) {
  auto* box = new QLineEdit(&page);
  box->setObjectName(name);
  box->setReadOnly(true);
  box->setAlignment(Qt::AlignRight);
  // Room for the longest figure: the charts take the rest of the width.
  box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000000.0000")) + 12);
  return box;
}

}  // namespace

TranscriticalResults::TranscriticalResults(Shell& shell) : shell_(shell) {
  setWindowTitle(QString::fromLatin1(kTitle));
  SizeGrowingPage(*this, kUsefulSize, kSmallestSize);

  auto* layout = new QVBoxLayout(this);
  title_ = AddHeading(*this, QStringLiteral("Transcritical Cycle"));
  title_->setObjectName(QStringLiteral("Title"));
  title_->setAlignment(Qt::AlignCenter);
  layout->addWidget(title_);
  auto* body = new QHBoxLayout;
  layout->addLayout(body, 1);

  auto* figures = new QVBoxLayout;
  body->addLayout(figures);
  figures->addWidget(AddHeading(*this, QStringLiteral("States of the cycle")));
  auto* states = new QGridLayout;
  figures->addLayout(states);
  for (int c = 0; c < int(std::size(kColumns)); ++c)
    states->addWidget(new QLabel(kColumns[c].heading, this), 0, c + 1, Qt::AlignCenter);
  for (int r = 0; r < int(std::size(kStates)); ++r) {
    states->addWidget(new QLabel(kStates[r].heading, this), r + 1, 0);
    for (int c = 0; c < int(std::size(kColumns)); ++c) {
      const QString name = QString::fromLatin1(kColumns[c].prefix) + kStates[r].point;
      states->addWidget(boxes_[name] = AddBox(*this, name), r + 1, c + 1);
    }
  }

  figures->addSpacing(fontMetrics().height());
  figures->addWidget(AddHeading(*this, QStringLiteral("Heat pump and gas cooler")));
  auto* rows = new QGridLayout;
  figures->addLayout(rows);
  int row = 0;
  for (const report::TranscriticalFigureRow& figure : report::TranscriticalFigureRows()) {
    const QString name = figure.name;
    rows->addWidget(new QLabel(QString::fromStdString(report::CaptionOf(figure)), this), row, 0);
    rows->addWidget(boxes_[name] = AddBox(*this, name), row++, 1);
    if (name == QLatin1String("HighPressure")) {
      pressure_note_ = new QLabel(this);
      pressure_note_->setObjectName(QStringLiteral("HighPressureNote"));
      pressure_note_->setWordWrap(true);
      pressure_note_->setAlignment(Qt::AlignRight);
      rows->addWidget(pressure_note_, row++, 0, 1, 2);
    }
  }
  // A given pressure whose pinch is short of the minimum approach.
  approach_warning_ = new QLabel(this);
  approach_warning_->setObjectName(QStringLiteral("ApproachWarning"));
  approach_warning_->setWordWrap(true);
  approach_warning_->setStyleSheet(QStringLiteral("color: #a04000"));
  rows->addWidget(approach_warning_, row++, 0, 1, 2);
  figures->addStretch();

  auto* charts = new QVBoxLayout;
  body->addLayout(charts, 1);
  diagram_ = new plots::CycleDiagramPlot(plots::DiagramLook::Chart, this);
  diagram_->setObjectName(QStringLiteral("Diagram"));
  charts->addWidget(diagram_, 3);
  profiles_ = new plots::GasCoolerChart(this);
  profiles_->setObjectName(QStringLiteral("Profiles"));
  charts->addWidget(profiles_, 2);

  auto* bottom = new QHBoxLayout;
  layout->addLayout(bottom);
  auto& back = AddButton(*this, *bottom, QStringLiteral("Back"), QStringLiteral("Back"));
  bottom->addStretch();
  auto& more = AddButton(*this, *bottom, QStringLiteral("DiagramPage"), QStringLiteral("Diagram..."));
  more.setToolTip(QStringLiteral("The p-h or T-s diagram, read under the pointer, zoomed, exported"));
  auto& copy = AddButton(*this, *bottom, QStringLiteral("Copy"), QStringLiteral("Copy"));
  copy.setToolTip(QStringLiteral("The inputs, figures and states as a table for spreadsheets"));
  auto& save =
      AddButton(*this, *bottom, QStringLiteral("SaveReport"), QStringLiteral("Save Report..."));
  // Ways on, none the main one: Return presses the focused button.
  DeclareKeyButtons(*this, {.back = &back});
  connect(&back, &QPushButton::clicked, this, &TranscriticalResults::Back);
  connect(&more, &QPushButton::clicked, this, &TranscriticalResults::OpenDiagramPage);
  connect(&copy, &QPushButton::clicked, this, [this] {
    if (shown_) CopyTable(report::TranscriticalTable(shown_->input, shown_->result));
  });
  connect(&save, &QPushButton::clicked, this, [this] {
    if (!shown_) return;
    SaveAs(shell_, this, ReportChoice(), [this](const QString& file) {
      return report::WriteTranscriticalReport(file, shown_->input, shown_->result);
    });
  });
}

// This page waits, hidden with its figures, for the diagram page's Back.
void TranscriticalResults::OpenDiagramPage() {
  if (!shown_) return;
  shell_.pages.Hide(page::TranscriticalResults);
  shell_.pages.Get<DiagramPage>(page::Diagram)
      .ShowTranscriticalCycle(shown_->input, page::TranscriticalResults);
  shell_.pages.Show(page::Diagram);
}

void TranscriticalResults::ShowResults(const cycle::TranscriticalInput& input,
                                       const TranscriticalResult& result) {
  shown_ = Shown{input, result};
  title_->setText(
      QStringLiteral("Transcritical Cycle: %1").arg(QString::fromStdString(result.refrigerant)));
  for (const StateRow& row : kStates)
    for (const StateColumn& column : kColumns)
      boxes_.at(QString::fromLatin1(column.prefix) + row.point)
          ->setText(Fixed(result.*row.state.*column.figure, column.decimals));
  for (const report::TranscriticalFigureRow& row : report::TranscriticalFigureRows())
    boxes_.at(row.name)->setText(Fixed(result.*row.figure * row.scale, row.decimals));
  pressure_note_->setText(QString::fromStdString(cycle::HighPressureNote(result)));
  approach_warning_->setText(QString::fromStdString(cycle::ApproachWarning(result).value_or("")));
  approach_warning_->setVisible(cycle::ApproachWarning(result).has_value());
  profiles_->Draw(result);
  ShowDiagram(input);
}

void TranscriticalResults::ShowDiagram(const cycle::TranscriticalInput& input) {
  constexpr auto kKind = cycle::DiagramKind::PressureEnthalpy;
  DrawDiagram(*diagram_, cycle::TranscriticalCycleDiagram(input, kKind), kKind);
}

void TranscriticalResults::Back() {
  shell_.pages.Unload(page::TranscriticalResults);
  shell_.pages.Show(page::TranscriticalForm);
}

}  // namespace forms
