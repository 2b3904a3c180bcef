#include "study/study_page.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "common/design.h"
#include "common/export_actions.h"
#include "common/name_completion.h"
#include "cycle/comparison.h"
#include "forms/page_names.h"
#include "plots/plot_file.h"
#include "report/report_file.h"
#include "report/study_table.h"

namespace forms {

namespace {

constexpr QSize kUsefulSize{1200, 860};
constexpr QSize kSmallestSize{820, 600};

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString WithUnit(std::string_view label, std::string_view unit) {
  return QString::fromStdString(report::WithUnit(label, unit));
}

// The input a page first varies: the high-side pressure of a transcritical
// cycle (the curve of COP against it), the condensing temperature of a layout.
std::string_view FirstVariable(const cycle::StudyCalculation& calculation) {
  return std::holds_alternative<cycle::TranscriticalInput>(calculation) ? "high-pressure"
                                                                        : "condensing";
}

// The form's other inputs as typed, for the page's heading.
QString InputsText(const cycle::StudyCalculation& calculation) {
  QStringList inputs;
  for (const cycle::StudyVariable& variable : cycle::StudyVariables(calculation)) {
    const std::string text = cycle::InputText(calculation, variable);
    const QString typed = QString::fromStdString(text).trimmed();
    // A number with its unit; a word ("optimal") or a blank (the default) as it is.
    inputs << Text(variable.label) + ' ' +
                  (typed.isEmpty()            ? QStringLiteral("(default)")
                   : cycle::WholeNumber(text) ? typed + ' ' + Text(variable.unit)
                                              : typed);
  }
  return QStringLiteral("The form's inputs (the varied one takes the study's values): %1.")
      .arg(inputs.join(QStringLiteral(", ")));
}

QLabel& AddCaption(QWidget& page, QGridLayout& grid, const QString& caption, int row, int column) {
  auto* label = new QLabel(caption, &page);
  grid.addWidget(label, row, column);
  return *label;
}

QLineEdit& AddBox(QWidget& page, const QString& name, int width) {
  auto* box = new QLineEdit(&page);
  box->setObjectName(name);
  box->setMinimumWidth(width);
  return *box;
}

}  // namespace

void OpenStudy(Shell& shell, const cycle::StudyCalculation& calculation,
               const std::vector<std::string>& refrigerants, const QString& from) {
  shell.pages.Get<StudyPage>(page::Study).Open(calculation, refrigerants, from);
  shell.pages.Hide(from);
  shell.pages.Show(page::Study);
}

StudyPage::StudyPage(Shell& shell) : shell_(shell) {
  setWindowTitle(QString::fromLatin1(kTitle));
  SizeGrowingPage(*this, kUsefulSize, kSmallestSize);
  auto* layout = new QVBoxLayout(this);

  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("Heading"));
  heading_->setFont(CaptionFont(Emphasis::Heading));
  layout->addWidget(heading_);
  inputs_ = new QLabel(this);
  inputs_->setObjectName(QStringLiteral("Inputs"));
  inputs_->setWordWrap(true);
  layout->addWidget(inputs_);

  // Vary and Plot side by side, then the range, then the refrigerants.
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  AddCaption(*this, *grid, QStringLiteral("Vary:"), 0, 0);
  variable_ = new QComboBox(this);
  variable_->setObjectName(QStringLiteral("Vary"));
  grid->addWidget(variable_, 0, 1);
  AddCaption(*this, *grid, QStringLiteral("Plot:"), 0, 2);
  figure_ = new QComboBox(this);
  figure_->setObjectName(QStringLiteral("Figure"));
  grid->addWidget(figure_, 0, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  AddCaption(*this, *grid, QStringLiteral("Range:"), 1, 0);
  auto* range = new QHBoxLayout;
  grid->addLayout(range, 1, 1, 1, 3);
  range->addWidget(new QLabel(QStringLiteral("from"), this));
  from_box_ = &AddBox(*this, QStringLiteral("From"), 70);
  range->addWidget(from_box_);
  range->addWidget(new QLabel(QStringLiteral("to"), this));
  to_box_ = &AddBox(*this, QStringLiteral("To"), 70);
  range->addWidget(to_box_);
  range->addSpacing(12);
  auto* spacing = new QButtonGroup(this);
  by_step_ = new QRadioButton(QStringLiteral("by a step of"), this);
  by_step_->setObjectName(QStringLiteral("ByStep"));
  by_points_ = new QRadioButton(QStringLiteral("over points:"), this);
  by_points_->setObjectName(QStringLiteral("ByPoints"));
  spacing->addButton(by_step_);
  spacing->addButton(by_points_);
  by_step_->setChecked(true);
  range->addWidget(by_step_);
  range->addWidget(by_points_);
  by_box_ = &AddBox(*this, QStringLiteral("By"), 60);
  range->addWidget(by_box_);
  range->addStretch();
  for (QLineEdit* box : {from_box_, to_box_, by_box_}) box->setMaximumWidth(140);

  AddCaption(*this, *grid, QStringLiteral("Refrigerants:"), 2, 0);
  auto* names = new QHBoxLayout;
  grid->addLayout(names, 2, 1, 1, 3);
  for (int k = 1; k <= cycle::kMaxRefrigerants; ++k) {
    QLineEdit& box = AddBox(*this, QStringLiteral("Refrigerant%1").arg(k), 70);
    CompleteRefrigerantNames(box);
    names->addWidget(&box);
    refrigerants_.push_back(&box);
  }

  auto* run_row = new QHBoxLayout;
  layout->addLayout(run_row);
  run_button_ = &AddButton(*this, *run_row, QStringLiteral("Run"), QStringLiteral("Run"));
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("Progress"));
  progress_->setFormat(QStringLiteral("%v of %m points"));
  cancel_ = &AddButton(*this, *run_row, QStringLiteral("Cancel"), QStringLiteral("Cancel"));
  run_row->addWidget(progress_, 1);
  // Hidden between runs, the bar keeps its place: the buttons stay as they are.
  QSizePolicy keep_place = progress_->sizePolicy();
  keep_place.setRetainSizeWhenHidden(true);
  progress_->setSizePolicy(keep_place);

  auto* split = new QSplitter(Qt::Vertical, this);
  layout->addWidget(split, 1);
  chart_ = new plots::StudyChart(split);
  chart_->setObjectName(QStringLiteral("Chart"));
  model_ = new StudyTableModel(this);
  table_ = new QTableView(split);
  table_->setObjectName(QStringLiteral("Table"));
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setAlternatingRowColors(true);
  table_->setWordWrap(false);
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  table_->horizontalHeader()->setStretchLastSection(true);
  split->addWidget(chart_);
  split->addWidget(table_);
  split->setSizes({height() * 3 / 5, height() * 2 / 5});

  status_ = &AddStatusLine(*this, *layout);

  auto* bottom = new QHBoxLayout;
  layout->addLayout(bottom);
  auto& back = AddButton(*this, *bottom, QStringLiteral("Back"), QStringLiteral("Back"));
  bottom->addStretch();
  auto& copy = AddButton(*this, *bottom, QStringLiteral("Copy"), QStringLiteral("Copy"));
  auto& save = AddButton(*this, *bottom, QStringLiteral("Export"), QStringLiteral("Export..."));

  DeclareKeyButtons(*this, {.main = run_button_, .back = &back});

  connect(variable_, &QComboBox::activated, this, &StudyPage::FillRange);
  connect(figure_, &QComboBox::currentIndexChanged, this, &StudyPage::Redraw);
  connect(run_button_, &QPushButton::clicked, this, &StudyPage::Run);
  connect(cancel_, &QPushButton::clicked, this, &StudyPage::Cancel);
  connect(&back, &QPushButton::clicked, this, &StudyPage::Back);
  connect(&copy, &QPushButton::clicked, this, &StudyPage::Copy);
  connect(&save, &QPushButton::clicked, this, &StudyPage::Export);
  ShowState();
}

void StudyPage::Open(const cycle::StudyCalculation& calculation,
                     const std::vector<std::string>& refrigerants, const QString& from) {
  StopRun();
  from_ = from;
  calculation_ = calculation;
  figures_ = cycle::StudyFigures(calculation);
  study_ = {};
  points_.clear();
  heading_->setText(
      QStringLiteral("Parameter Study: %1").arg(Text(cycle::CalculationTitle(calculation))));
  inputs_->setText(InputsText(calculation));

  const QSignalBlocker quiet_variables(variable_);
  variable_->clear();
  const auto variables = cycle::StudyVariables(calculation);
  for (const cycle::StudyVariable& variable : variables) {
    variable_->addItem(WithUnit(variable.label, variable.unit));
  }
  const auto first = std::find_if(variables.begin(), variables.end(), [&](const auto& v) {
    return v.name == FirstVariable(calculation);
  });
  variable_->setCurrentIndex(static_cast<int>(first - variables.begin()));
  FillRange();

  const QSignalBlocker quiet_figures(figure_);
  figure_->clear();
  for (const cycle::StudyFigure& figure : figures_) {
    figure_->addItem(WithUnit(figure.label, figure.unit));
  }
  // The heating COP first: what a study is most often about.
  const auto cop = std::find_if(figures_.begin(), figures_.end(),
                                [](const cycle::StudyFigure& f) { return f.name == "COP"; });
  figure_->setCurrentIndex(cop == figures_.end() ? 0 : static_cast<int>(cop - figures_.begin()));
  for (std::size_t k = 0; k < refrigerants_.size(); ++k) {
    refrigerants_[k]->setText(k < refrigerants.size() ? QString::fromStdString(refrigerants[k])
                                                      : QString());
  }
  Redraw();
  table_->resizeColumnsToContents();
  ShowState();
}

cycle::StudyVariable StudyPage::ChosenVariable() const {
  return cycle::StudyVariables(calculation_)[static_cast<std::size_t>(variable_->currentIndex())];
}

// The range a page first offers for the chosen input.
void StudyPage::FillRange() {
  const cycle::StudyVariable variable = ChosenVariable();
  from_box_->setText(Text(variable.from));
  to_box_->setText(Text(variable.to));
  by_step_->setChecked(true);
  by_box_->setText(Text(variable.step));
}

void StudyPage::Run() {
  if (run_ != nullptr) return;
  const bool by_points = by_points_->isChecked();
  const std::string from = from_box_->text().toStdString(), to = to_box_->text().toStdString(),
                    by = by_box_->text().toStdString();
  auto values = cycle::StudyValues({{"From", from},
                                    {"To", to},
                                    by_points ? cycle::Spacing::points : cycle::Spacing::step,
                                    {by_points ? "Points" : "Step", by}});
  if (const auto* message = std::get_if<std::string>(&values)) {
    shell_.message(this, QString::fromStdString(*message));
    return;
  }
  std::vector<std::string> names;
  for (const QLineEdit* box : refrigerants_) {
    // Each refrigerant once: it is one line of the chart.
    const std::string name = box->text().trimmed().toStdString();
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
      names.push_back(name);
    }
  }
  cycle::Study study{calculation_, std::move(names), std::string(ChosenVariable().name),
                     std::move(std::get<std::vector<double>>(values))};
  if (const auto refusal = cycle::StudyRefusal(study)) {
    shell_.message(this, QString::fromStdString(*refusal));
    return;
  }
  study_ = study;
  points_.clear();
  done_ = 0;
  cancelled_ = false;
  run_ = std::make_unique<StudyRun>(
      std::move(study), *this,
      StudyRun::Handlers{
          [this](std::size_t done) { TakeProgress(done); },
          [this](std::vector<cycle::StudyPoint> points) { RunFinished(std::move(points)); }});
  Redraw();
  ShowState();
}

void StudyPage::TakeProgress(std::size_t done) {
  // Workers finish out of turn: the count only rises.
  done_ = std::max(done_, done);
  progress_->setValue(static_cast<int>(done_));
}

void StudyPage::RunFinished(std::vector<cycle::StudyPoint> points) {
  run_.reset();  // its thread has posted its last; this joins it
  points_ = std::move(points);
  Redraw();
  table_->resizeColumnsToContents();
  ShowState();
}

void StudyPage::Cancel() {
  if (run_ == nullptr) return;
  cancelled_ = true;
  run_->RequestStop();
  ShowState();
}

// Stops the run at the points in hand and waits for it; what it had not
// handed over is lost.
void StudyPage::StopRun() { run_.reset(); }

void StudyPage::Redraw() {
  // Before the first run the table heads the input chosen.
  const cycle::Study headed =
      study_.PointCount() > 0
          ? study_
          : cycle::Study{calculation_, {}, std::string(ChosenVariable().name), {}};
  model_->SetTable(report::StudyFiguresTable(headed, points_, figures_));
  const int chosen = figure_->currentIndex();
  if (chosen < 0 || points_.empty()) {
    chart_->Draw({}, {});
    return;
  }
  const cycle::StudyFigure& figure = figures_[static_cast<std::size_t>(chosen)];
  std::vector<plots::StudyLine> lines;
  for (const cycle::StudyPoint& point : points_) {
    if (lines.empty() || lines.back().name.toStdString() != point.refrigerant) {
      lines.push_back({QString::fromStdString(point.refrigerant), {}, {}});
    }
    lines.back().x.push_back(point.value);
    lines.back().y.push_back(figure.of(point));
  }
  const cycle::StudyVariable& variable =
      *cycle::StudyVariableNamed(study_.calculation, study_.variable);
  chart_->Draw(std::move(lines), {Text(variable.label), Text(variable.unit), Text(figure.label),
                                  Text(figure.unit), figure.decimals});
}

void StudyPage::ShowState() {
  const bool running = run_ != nullptr;
  run_button_->setEnabled(!running);
  cancel_->setEnabled(running && !cancelled_);
  progress_->setVisible(running);
  progress_->setRange(0, static_cast<int>(study_.PointCount()));
  progress_->setValue(static_cast<int>(done_));
  const auto computed = std::count_if(points_.begin(), points_.end(),
                                      [](const cycle::StudyPoint& p) { return p.computed(); });
  const auto refused = static_cast<std::ptrdiff_t>(points_.size()) - computed;
  QString text;
  if (running) {
    text = cancelled_ ? QStringLiteral("Stopping after the points in hand...")
                      : QStringLiteral("Computing %1 points on %2 cores...")
                            .arg(study_.PointCount())
                            .arg(cycle::CoreCount());
  } else if (study_.PointCount() == 0) {
    text = QStringLiteral(
        "Choose the input to vary, its range and the refrigerants, then Run. Each point is the "
        "form's calculation with the input at that value.");
  } else {
    text = QStringLiteral("%1 of %2 points done: %3 computed, %4 refused")
               .arg(points_.size())
               .arg(study_.PointCount())
               .arg(computed)
               .arg(refused);
    text += refused > 0 ? QStringLiteral(
                              " (greyed in the table with the reason, left out of the "
                              "chart).")
                        : QStringLiteral(".");
    if (points_.size() < study_.PointCount()) text += QStringLiteral(" Cancelled before the rest.");
  }
  status_->setText(text);
}

void StudyPage::Back() {
  StopRun();
  shell_.pages.Unload(page::Study);
  shell_.pages.Show(from_);
}

void StudyPage::Export() {
  if (points_.empty()) {
    shell_.message(this, QStringLiteral("Please run the study first: there is nothing to export."));
    return;
  }
  const FileChoice choice{
      QStringLiteral("Export Study"),
      {QStringLiteral("CSV table (*.csv)"), QStringLiteral("PNG picture (*.png)"),
       QStringLiteral("SVG drawing (*.svg)"), QStringLiteral("PDF document (*.pdf)")},
      [](const QString& file) {
        const std::string name = file.toStdString();
        return report::ReportFormatOf(name) == report::ReportFormat::Csv ||
               plots::PlotFormatOf(name).has_value();
      },
      QStringLiteral("Please choose a file name ending in .csv, .png, .svg or .pdf")};
  SaveAs(shell_, this, choice, [this](const QString& file) {
    const auto failure = plots::PlotFormatOf(file.toStdString())
                             ? plots::WritePlot(*chart_, file)
                             : report::WriteCsvTable(file, report::StudyTable(study_, points_));
    if (!failure) status_->setText(QStringLiteral("Exported to %1").arg(file));
    return failure;
  });
}

void StudyPage::Copy() {
  if (points_.empty()) {
    shell_.message(this, QStringLiteral("Please run the study first: there is nothing to copy."));
    return;
  }
  CopyTable(model_->Table());
  status_->setText(QStringLiteral("The table is on the clipboard."));
}

}  // namespace forms
