#include "transcritical/transcritical_results.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>


#include "common/design.h"
#include "diagram/diagram_page.h"
#include "forms/page_names.h"

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

// The figures under the table: box name, caption, figure (a percentage where
// scaled), decimals.
struct FigureRow {
  const char* name;
  const char* caption;
  double TranscriticalResult::*figure;
  int decimals;
  double scale = 1;
};
constexpr FigureRow kFigures[] = {
    {"HeatingCapacity", "Heating capacity (kW)", &TranscriticalResult::heating_capacity, 2},
    {"CompressorPower", "Compressor power (kW)", &TranscriticalResult::compressor_power, 2},
    {"EvaporatorDuty", "Evaporator duty (kW)", &TranscriticalResult::evaporator_duty, 2},
    {"COP", "Heating COP", &TranscriticalResult::cop, 3},
    {"MassFlow", "Refrigerant mass flow (kg/s)", &TranscriticalResult::mass_flow, 4},
    {"WaterFlow", "Water flow (kg/s)", &TranscriticalResult::water_flow, 4},
    {"VHC", "Volumetric heating capacity (kJ/m3)", &TranscriticalResult::vhc, 1},
    {"HighPressure", "High-side pressure (bar)", &TranscriticalResult::high_pressure, 2},
    {"Pinch", "Pinch in the gas cooler (K)", &TranscriticalResult::pinch, 2},
    {"PinchAt", "Pinch at (% of the duty from the refrigerant inlet)",
     &TranscriticalResult::pinch_at, 1, 100},
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

// What the page says of the high-side pressure: given; the lowest the water
// allows, above the best COP's pressure, which leaves it short; the searched
// optimum with the range searched; or an optimum at the search's edge.
QString HighPressureNote(const TranscriticalResult& result) {
  if (!result.optimal) return QStringLiteral("as entered");
  if (result.pinch_limited) {
    return QStringLiteral("the lowest the water allows: the best COP, %1, lies at %2 bar")
        .arg(Fixed(result.best_cop, 3), Fixed(result.best_cop_pressure, 2));
  }
  const QString range =
      QStringLiteral("%1 to %2 bar").arg(Fixed(result.search_low, 2), Fixed(result.search_high, 2));
  return result.optimum_at_edge
             ? QStringLiteral("best of %1, at the search's edge").arg(range)
             : QStringLiteral("optimum, searched from %1").arg(range);
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
  for (const FigureRow& figure : kFigures) {
    const QString name = figure.name;
    rows->addWidget(new QLabel(figure.caption, this), row, 0);
    rows->addWidget(boxes_[name] = AddBox(*this, name), row++, 1);
    if (name == QLatin1String("HighPressure")) {
      pressure_note_ = new QLabel(this);
      pressure_note_->setObjectName(QStringLiteral("HighPressureNote"));
      pressure_note_->setWordWrap(true);
      pressure_note_->setAlignment(Qt::AlignRight);
      rows->addWidget(pressure_note_, row++, 0, 1, 2);
    }
  }
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
  // Two ways on, neither the main one: Return presses the focused button.
  DeclareKeyButtons(*this, {.back = &back});
  connect(&back, &QPushButton::clicked, this, &TranscriticalResults::Back);
  connect(&more, &QPushButton::clicked, this, &TranscriticalResults::OpenDiagramPage);
}

// This page waits, hidden with its figures, for the diagram page's Back.
void TranscriticalResults::OpenDiagramPage() {
  if (!shown_input_) return;
  shell_.pages.Hide(page::TranscriticalResults);
  shell_.pages.Get<DiagramPage>(page::Diagram)
      .ShowTranscriticalCycle(*shown_input_, page::TranscriticalResults);
  shell_.pages.Show(page::Diagram);
}

void TranscriticalResults::ShowResults(const cycle::TranscriticalInput& input,
                                       const TranscriticalResult& result) {
  shown_input_ = input;
  title_->setText(
      QStringLiteral("Transcritical Cycle: %1").arg(QString::fromStdString(result.refrigerant)));
  for (const StateRow& row : kStates)
    for (const StateColumn& column : kColumns)
      boxes_.at(QString::fromLatin1(column.prefix) + row.point)
          ->setText(Fixed(result.*row.state.*column.figure, column.decimals));
  for (const FigureRow& row : kFigures)
    boxes_.at(row.name)->setText(Fixed(result.*row.figure * row.scale, row.decimals));
  pressure_note_->setText(HighPressureNote(result));
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
