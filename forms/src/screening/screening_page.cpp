#include "screening/screening_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <set>
#include <string>

#include "common/design.h"
#include "common/export_actions.h"
#include "cycle/number_text.h"
#include "forms/page_names.h"
#include "report/report_file.h"
#include "report/screening_table.h"
#include "comparison/user_form4.h"

namespace forms {

namespace {

constexpr QSize kUsefulSize{1280, 820};
constexpr QSize kSmallestSize{800, 560};
constexpr auto kRefreshInterval = std::chrono::milliseconds(150);

// The conditions as they were typed.
QString Number(double value) { return QString::fromStdString(cycle::FormatShortest(value)); }

QString ConditionsText(const cycle::ComparisonConditions& c) {
  return QStringLiteral(
             "heat capacity %1 kW, evaporating %2 'C, condensing %3 'C, subcooling %4 K, "
             "superheating %5 K, safety factor %6 %, isentropic efficiency %7 %.")
      .arg(Number(c.HeatCapEvap), Number(c.TempEvap), Number(c.TemperatureCondensing),
           Number(c.Subcooling), Number(c.Superheating), Number(c.Safetyfactor),
           Number(c.Isotropicefficiency));
}

// The exported table's first line: the conditions, and the unit of each
// column that has one.
std::string ExportComment(const cycle::ComparisonConditions& c) {
  std::string units;
  for (const cycle::ScreeningColumn column : cycle::kScreeningColumns) {
    const std::string_view unit = cycle::ColumnUnit(column);
    if (unit.empty() || unit == "-") continue;
    units.append(units.empty() ? "" : ", ").append(cycle::ColumnName(column));
    units.append(" ").append(unit);
  }
  return "Screening under the comparison's conditions: " + ConditionsText(c).toStdString() +
         " Units: " + units + "; the other numbers have none.";
}

QString NameOf(const cycle::ScreeningRow& row) { return QString::fromStdString(row.fluid.name); }

// Sorted by the heading's column, the fluids that cannot run the cycle after
// the others.
std::vector<cycle::ScreeningRow> Arranged(std::vector<cycle::ScreeningRow> rows,
                                          const QHeaderView& heading) {
  if (const int section = heading.sortIndicatorSection();
      section >= 0 && section < heading.count()) {
    rows = cycle::Sorted(std::move(rows), ColumnAt(section),
                         heading.sortIndicatorOrder() == Qt::AscendingOrder
                             ? cycle::SortOrder::ascending
                             : cycle::SortOrder::descending);
  }
  std::stable_partition(rows.begin(), rows.end(),
                        [](const cycle::ScreeningRow& row) { return row.cycle() != nullptr; });
  return rows;
}

}  // namespace

ScreeningPage::ScreeningPage(Shell& shell) : shell_(shell) {
  setWindowTitle(QString::fromLatin1(kTitle));
  SizeGrowingPage(*this, kUsefulSize, kSmallestSize);

  auto* layout = new QVBoxLayout(this);
  conditions_label_ = new QLabel(this);
  conditions_label_->setObjectName(QStringLiteral("Conditions"));
  conditions_label_->setWordWrap(true);
  layout->addWidget(conditions_label_);
  filters_ = new ScreeningFilters(this);
  layout->addWidget(filters_);

  auto* split = new QSplitter(Qt::Horizontal, this);
  layout->addWidget(split, 1);
  model_ = new ScreeningTableModel(this);
  table_ = new QTableView(split);
  table_->setObjectName(QStringLiteral("Table"));
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setAlternatingRowColors(true);
  table_->setWordWrap(false);
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  QHeaderView& heading = *table_->horizontalHeader();
  heading.setSectionsClickable(true);
  heading.setSortIndicatorShown(true);
  heading.setSortIndicator(SectionOf(cycle::ScreeningColumn::COP), Qt::DescendingOrder);
  heading.setStretchLastSection(true);
  chart_ = new plots::ScreeningChart(split);
  chart_->setObjectName(QStringLiteral("Chart"));
  split->addWidget(table_);
  split->addWidget(chart_);
  split->setSizes({width() * 11 / 20, width() * 9 / 20});

  auto* progress_row = new QHBoxLayout;
  layout->addLayout(progress_row);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("Progress"));
  progress_->setFormat(QStringLiteral("%v of %m fluids"));
  progress_row->addWidget(progress_);
  cancel_ = &AddButton(*this, *progress_row, QStringLiteral("Cancel"), QStringLiteral("Cancel"));
  screen_remaining_ = &AddButton(*this, *progress_row, QStringLiteral("ScreenRemaining"),
                                 QStringLiteral("Screen Remaining"));
  status_ = &AddStatusLine(*this, *layout);

  auto* bottom = new QHBoxLayout;
  layout->addLayout(bottom);
  auto& back = AddButton(*this, *bottom, QStringLiteral("Back"), QStringLiteral("Back"));
  bottom->addStretch();
  auto& save = AddButton(*this, *bottom, QStringLiteral("Export"), QStringLiteral("Export..."));
  auto& compare = AddButton(*this, *bottom, QStringLiteral("CompareSelected"),
                            QStringLiteral("Compare Selected"));

  // Return belongs to the filters' boxes; no button here is the main one.
  DeclareKeyButtons(*this, {.back = &back});

  refresh_soon_.setSingleShot(true);
  refresh_soon_.setInterval(kRefreshInterval);
  connect(&refresh_soon_, &QTimer::timeout, this, &ScreeningPage::Refresh);
  connect(filters_, &ScreeningFilters::Changed, this, [this] {
    Refresh();
    ScreenWhatIsMissing();
  });
  connect(&heading, &QHeaderView::sortIndicatorChanged, this, &ScreeningPage::Refresh);
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { chart_->Select(SelectedNames()); });
  connect(chart_, &plots::ScreeningChart::SelectedByUser, this, [this] {
    SelectInTable(chart_->SelectedNames());
    if (const QModelIndexList rows = table_->selectionModel()->selectedRows(); !rows.isEmpty()) {
      table_->scrollTo(rows.front());
    }
  });
  connect(cancel_, &QPushButton::clicked, this, &ScreeningPage::Cancel);
  connect(screen_remaining_, &QPushButton::clicked, this, &ScreeningPage::ScreenRemaining);
  connect(&back, &QPushButton::clicked, this, &ScreeningPage::Back);
  connect(&save, &QPushButton::clicked, this, &ScreeningPage::Export);
  connect(&compare, &QPushButton::clicked, this, &ScreeningPage::CompareSelected);
  ShowProgress();
}

void ScreeningPage::Open(const cycle::ComparisonConditions& conditions) {
  StopRun();
  conditions_ = conditions;
  conditions_label_->setText(
      QStringLiteral("Every fluid and blend under the comparison's conditions: ") +
      ConditionsText(conditions));
  screened_.clear();
  cancelled_ = false;
  auto found = cycle::FindScreeningCandidates();
  candidates_ = std::move(found.fluids);
  position_.clear();
  for (std::size_t i = 0; i < candidates_.size(); ++i) position_.emplace(candidates_[i].name, i);
  skipped_.clear();
  for (const std::string& file : found.skipped) {
    skipped_ += QStringLiteral("\nSkipped %1").arg(QString::fromStdString(file));
  }
  Refresh();
  ScreenWhatIsMissing();
}

std::vector<cycle::ScreeningCandidate> ScreeningPage::NotYetScreened() const {
  std::set<std::string> done;
  for (const cycle::ScreeningRow& row : screened_) done.insert(row.fluid.name);
  const cycle::ScreeningFilter filter = filters_->Selection();
  std::vector<cycle::ScreeningCandidate> missing;
  for (const cycle::ScreeningCandidate& fluid : candidates_) {
    if (!done.contains(fluid.name) && cycle::PassesFacts(fluid, filter)) missing.push_back(fluid);
  }
  return missing;
}

// Starts a run of the fluids the filters let through that have no row yet,
// unless one runs (it looks again when it ends) or the user cancelled.
void ScreeningPage::ScreenWhatIsMissing() {
  if (run_ == nullptr && !cancelled_) {
    auto missing = NotYetScreened();
    if (!missing.empty()) {
      run_size_ = missing.size();
      run_done_ = 0;
      run_ = std::make_unique<ScreeningRun>(
          std::move(missing), conditions_, *this,
          ScreeningRun::Handlers{[this](cycle::ScreeningRow row) { TakeRow(std::move(row)); },
                                 [this] { RunFinished(); }});
    }
  }
  ShowProgress();
}

void ScreeningPage::TakeRow(cycle::ScreeningRow row) {
  const std::size_t at = position_.at(row.fluid.name);
  const auto place = std::upper_bound(
      screened_.begin(), screened_.end(), at,
      [this](std::size_t position, const cycle::ScreeningRow& other) {
        return position < position_.at(other.fluid.name);
      });
  screened_.insert(place, std::move(row));
  ++run_done_;
  // The counts follow every row; the table and chart a few rows at a time.
  if (!since_refresh_.isValid() || since_refresh_.elapsed() >= kRefreshInterval.count()) {
    refresh_soon_.stop();
    Refresh();
  } else {
    ShowProgress();
    if (!refresh_soon_.isActive()) refresh_soon_.start();
  }
}

void ScreeningPage::RunFinished() {
  run_.reset();  // its thread has posted its last; this joins it
  refresh_soon_.stop();
  Refresh();
  // Once per run: fitting the columns reads every cell.
  table_->resizeColumnsToContents();
  ScreenWhatIsMissing();  // the filters may have widened meanwhile
}

// Stops the run once the fluids in hand are done and waits for its threads.
// Rows not yet handed over are lost.
void ScreeningPage::StopRun() {
  run_.reset();
  refresh_soon_.stop();
}

void ScreeningPage::Refresh() {
  since_refresh_.start();
  std::vector<cycle::ScreeningRow> shown = cycle::Filtered(screened_, filters_->Selection());
  shown = Arranged(std::move(shown), *table_->horizontalHeader());

  std::vector<plots::ScreeningPoint> points;
  for (const cycle::ScreeningRow& row : shown) {
    if (const auto* cycle = row.cycle()) {
      points.push_back({NameOf(row), cycle->volumetric_heating_capacity, cycle->figures.COP});
    }
  }
  // New rows come in while the user reads: the table keeps its place and
  // what is selected.
  const QStringList selected = SelectedNames();
  const int down = table_->verticalScrollBar()->value(),
            across = table_->horizontalScrollBar()->value();
  model_->SetRows(std::move(shown));
  chart_->Draw(std::move(points));
  SelectInTable(selected);  // the chart follows the table
  table_->verticalScrollBar()->setValue(down);
  table_->horizontalScrollBar()->setValue(across);
  ShowProgress();
}

void ScreeningPage::ShowProgress() {
  const bool running = run_ != nullptr;
  progress_->setVisible(running);
  progress_->setRange(0, static_cast<int>(run_size_));
  progress_->setValue(static_cast<int>(run_done_));
  cancel_->setEnabled(running && !cancelled_);
  const std::size_t missing = running ? 0 : NotYetScreened().size();
  screen_remaining_->setEnabled(!running && missing > 0);

  const auto refused = std::count_if(screened_.begin(), screened_.end(),
                                     [](const cycle::ScreeningRow& row) { return row.refusal(); });
  // Counted from the rows themselves: the table may be a few rows behind.
  const cycle::ScreeningFilter filter = filters_->Selection();
  const auto shown =
      std::count_if(screened_.begin(), screened_.end(),
                    [&](const cycle::ScreeningRow& row) { return cycle::Passes(row, filter); });
  QString text;
  if (candidates_.empty()) {
    text = QStringLiteral(
        "No fluid or mixture files found (fluids/ and mixtures/ in the working "
        "directory or beside the program).");
  } else if (running) {
    text = cancelled_ ? QStringLiteral("Stopping after the fluids in hand...")
                      : QStringLiteral("Screening the fluids; the rows come in as they are done.");
  } else if (missing > 0) {
    text = QStringLiteral(
               "%1 fluids the filters let through are not screened yet: Screen "
               "Remaining screens them.")
               .arg(missing);
  } else {
    text = QStringLiteral("Screening done.");
  }
  text += QStringLiteral(
              " %1 fluids screened: %2 run the cycle, %3 cannot (greyed, after the "
              "others, with the reason). %4 shown.")
              .arg(screened_.size())
              .arg(screened_.size() - static_cast<std::size_t>(refused))
              .arg(refused)
              .arg(shown);
  if (const QString problem = filters_->Problem(); !problem.isEmpty())
    text += QLatin1Char(' ') + problem;
  status_->setText(text + skipped_);
}

QStringList ScreeningPage::SelectedNames() const {
  QModelIndexList rows = table_->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  QStringList names;
  for (const QModelIndex& index : rows) {
    names << NameOf(model_->Rows()[static_cast<std::size_t>(index.row())]);
  }
  return names;
}

void ScreeningPage::SelectInTable(const QStringList& names) {
  QItemSelection selection;
  const int last = model_->columnCount() - 1;
  for (int row = 0; row < model_->rowCount(); ++row) {
    if (names.contains(NameOf(model_->Rows()[static_cast<std::size_t>(row)]))) {
      selection.select(model_->index(row, 0), model_->index(row, last));
    }
  }
  table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void ScreeningPage::Cancel() {
  if (run_ == nullptr) return;
  cancelled_ = true;
  run_->RequestStop();
  ShowProgress();
}

void ScreeningPage::ScreenRemaining() {
  cancelled_ = false;
  ScreenWhatIsMissing();
}

void ScreeningPage::Back() {
  StopRun();
  shell_.pages.Unload(page::Screening);
  shell_.pages.Show(page::UserForm4);
}

void ScreeningPage::Export() {
  const FileChoice choice{
      QStringLiteral("Export Screening"),
      {QStringLiteral("CSV table (*.csv)")},
      [](const QString& file) {
        return report::ReportFormatOf(file.toStdString()) == report::ReportFormat::Csv;
      },
      QStringLiteral("Please choose a file name ending in .csv")};
  SaveAs(shell_, this, choice, [this](const QString& file) {
    const auto failure = report::WriteCsvTable(file, report::ScreeningTable(model_->Rows()),
                                               ExportComment(conditions_));
    if (!failure) status_->setText(QStringLiteral("Exported to %1").arg(file));
    return failure;
  });
}

void ScreeningPage::CompareSelected() {
  const QStringList names = SelectedNames();
  if (names.isEmpty()) {
    shell_.message(this, QStringLiteral("Please select the fluids to compare, up to eight, in "
                                        "the table or the chart."));
    return;
  }
  if (names.size() > cycle::kMaxRefrigerants) {
    shell_.message(this, QStringLiteral("Please select at most eight fluids to compare; %1 are "
                                        "selected.")
                             .arg(names.size()));
    return;
  }
  QStringList refused;
  for (const cycle::ScreeningRow& row : model_->Rows()) {
    if (row.refusal() && names.contains(NameOf(row))) refused << NameOf(row);
  }
  if (!refused.isEmpty()) {
    shell_.message(this, QStringLiteral("%1 cannot run the cycle under these conditions; please "
                                        "select fluids that can.")
                             .arg(refused.join(", ")));
    return;
  }
  StopRun();
  std::vector<std::string> chosen;
  for (const QString& name : names) chosen.push_back(name.toStdString());
  shell_.pages.Get<UserForm4>(page::UserForm4).FillRefrigerants(chosen);
  shell_.pages.Unload(page::Screening);
  shell_.pages.Show(page::UserForm4);
}

}  // namespace forms
