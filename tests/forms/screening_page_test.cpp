// The screening page: a row per fluid with the figures of the screening,
// refused fluids set apart with their reason, sorting, the filters, the
// chart linked to the table, and Export of what is shown.
#include <QColor>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>

#include "cycle/screening.h"
#include "screening_fixture.h"

namespace forms_test {
namespace {

using cycle::ScreeningColumn;

class ScreeningPage : public ScreeningTest {
 protected:
  void SetLimit(const QString& box, const QString& text) { SetText(page::Screening, box, text); }
  QCheckBox& Class(const QString& name) { return On<QCheckBox>(page::Screening, "Class_" + name); }
  void ChooseKind(const QString& kind) {
    On<QComboBox>(page::Screening, "Kind").setCurrentText(kind);
  }
};

// The comparison form's defaults: 50 'C evaporating, 90 'C condensing.
const cycle::ComparisonConditions kDefaults{10, 50, 3.5, 4, 90, 100, 80};

TEST_F(ScreeningPage, ShowsEveryFluidOnceWithTheFiguresOfTheScreening) {
  OpenComparisonForm();
  // The click returns with the screening under way: it runs off the
  // window's thread, which hands the rows in as they come.
  QTest::mouseClick(&On<QPushButton>(page::UserForm4, "ScreenAllFluids"), Qt::LeftButton);
  const auto& progress = On<QProgressBar>(page::Screening, "Progress");
  EXPECT_FALSE(progress.isHidden());
  EXPECT_LT(progress.value(), progress.maximum());
  EXPECT_TRUE(On<QPushButton>(page::Screening, "Cancel").isEnabled());
  WaitForScreening();
  ShowEveryFluid();
  EXPECT_EQ(ShownPage(), page::Screening);
  EXPECT_EQ(pages_.State(page::UserForm4), forms::PageState::Hidden);

  const auto candidates = cycle::FindScreeningCandidates();
  ASSERT_GT(candidates.fluids.size(), 250u) << "every fluid file and every blend";
  std::set<QString> expected;
  for (const auto& fluid : candidates.fluids) expected.insert(QString::fromStdString(fluid.name));
  const QStringList names = Names();
  EXPECT_EQ(std::set<QString>(names.begin(), names.end()), expected);
  EXPECT_EQ(static_cast<std::size_t>(names.size()), expected.size()) << "each fluid once";

  // A few rows against the screening of the same fluid under the same
  // conditions: every known value as the screening writes it; unknown facts
  // and glides as "unknown" (never 0); a refused fluid's figures empty.
  const std::set<ScreeningColumn> facts{ScreeningColumn::SafetyClass, ScreeningColumn::GWP,
                                        ScreeningColumn::ODP, ScreeningColumn::Tcrit};
  int checked = 0;
  for (const auto& fluid : candidates.fluids) {
    if (fluid.name != "R134a" && fluid.name != "Water" && fluid.name != "R406A" &&
        fluid.name != "R410A")
      continue;
    SCOPED_TRACE(fluid.name);
    ++checked;
    const cycle::ScreeningRow screened = cycle::ScreenFluid(fluid, kDefaults);
    const int row = RowOf(QString::fromStdString(fluid.name));
    for (const ScreeningColumn column : cycle::kScreeningColumns) {
      const auto name = cycle::ColumnName(column);
      const QString heading = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
      const QString shown = Cell(row, heading);
      if (!std::holds_alternative<std::monostate>(cycle::CellValue(screened, column))) {
        EXPECT_EQ(shown.toStdString(), cycle::CellText(screened, column)) << heading.toStdString();
      } else if (column == ScreeningColumn::Reason ||
                 (screened.refusal() && !facts.contains(column))) {
        EXPECT_EQ(shown, "") << heading.toStdString();
      } else {
        EXPECT_EQ(shown, "unknown") << heading.toStdString();
      }
    }
  }
  EXPECT_EQ(checked, 4);
  const int r134a = RowOf("R134a");
  EXPECT_EQ(Cell(r134a, "COP"), "5.25");
  EXPECT_EQ(Cell(r134a, "GWP"), "1430");
  EXPECT_EQ(Cell(r134a, "safety_class"), "A1");
  EXPECT_EQ(Cell(RowOf("Water"), "GWP"), "unknown");
  EXPECT_EQ(Cell(RowOf("R406A"), "GWP"), "unknown");
  EXPECT_EQ(Cell(RowOf("R406A"), "GlideEvap"), "8.06");
  EXPECT_EQ(Cell(RowOf("R410A"), "COP"), "") << "refused: no figures";

  // Refused fluids after the others, greyed, each with its reason, also as
  // the row's tip; one point on the chart per fluid that runs the cycle.
  int first_refused = RowCount();
  for (int row = 0; row < RowCount(); ++row) {
    if (Cell(row, "status") == "refused") {
      first_refused = std::min(first_refused, row);
      EXPECT_FALSE(Cell(row, "reason").isEmpty()) << Cell(row, "refrigerant").toStdString();
      EXPECT_EQ(Cell(row, "reason", Qt::ToolTipRole), Cell(row, "reason"));
      const auto colour =
          Table().model()->index(row, 0).data(Qt::ForegroundRole).value<QBrush>().color();
      EXPECT_GT(colour.lightness(), 100) << "greyed";
    } else {
      EXPECT_EQ(Cell(row, "status"), "ok");
      EXPECT_LT(row, first_refused)
          << Cell(row, "refrigerant").toStdString() << " after a refused one";
    }
  }
  EXPECT_GT(first_refused, 100);
  EXPECT_LT(first_refused, RowCount());
  EXPECT_EQ(ChartPoints(), first_refused);
  EXPECT_TRUE(Status().contains(QStringLiteral("%1 fluids screened").arg(RowCount())))
      << Status().toStdString();
  EXPECT_FALSE(On<QPushButton>(page::Screening, "ScreenRemaining").isEnabled());
}

// The page opens on the fluids worth comparing: the best COP first among
// those that evaporate at 1 bar or more (a limit the user can clear; below
// it the glycols' vacuum would top the list), under headings in words with
// units, COP and VHC in sight.
TEST_F(ScreeningPage, OpensOnTheBestCopAtOneBarOrMoreUnderHeadingsInWords) {
  OpenScreening();
  EXPECT_EQ(Text(page::Screening, "MinEvaporatingPressure"), "1");
  const int shown = RowCount();
  ASSERT_GT(shown, 50);
  std::set<QString> at_one_bar;
  for (int row = 0; row < shown; ++row) {
    EXPECT_GE(Number(row, "EvaporatingPressure"), 1) << Cell(row, "refrigerant").toStdString();
    if (row > 0) {
      EXPECT_GE(Number(row - 1, "COP"), Number(row, "COP")) << row;
    }
    at_one_bar.insert(Cell(row, "refrigerant"));
  }
  ShowEveryFluid();
  EXPECT_LT(Number(0, "EvaporatingPressure"), 1) << "without the limit a vacuum tops the list";
  std::set<QString> expected;
  for (int row = 0; row < RowCount(); ++row)
    if (Number(row, "EvaporatingPressure") >= 1) expected.insert(Cell(row, "refrigerant"));
  EXPECT_EQ(at_one_bar, expected);

  const struct {
    const char* column;
    const char* heading;
  } headings[] = {{"refrigerant", "Refrigerant"},
                  {"safety_class", "Safety class"},
                  {"COP", "COP"},
                  {"VHC", "VHC (kJ/m3)"},
                  {"MassPerHeat", "Mass per heat (kg/kJ)"},
                  {"Tcrit", "Critical temperature ('C)"},
                  {"GlideEvap", "Glide in the evaporator (K)"},
                  {"EvaporatingPressure", "Evaporating pressure (bar)"},
                  {"DischargeTemperature", "Discharge temperature ('C)"},
                  {"PressureRatio", "Pressure ratio"},
                  {"MinSuperheat", "Superheat for dry compression (K)"}};
  QAbstractItemModel& model = *Table().model();
  for (const auto& h : headings) {
    EXPECT_EQ(model.headerData(Column(h.column), Qt::Horizontal).toString(), h.heading);
  }
  const QRegularExpression code("[a-z][A-Z]|_");  // CamelCase or snake_case
  for (int section = 0; section < model.columnCount(); ++section) {
    const QString heading = model.headerData(section, Qt::Horizontal).toString();
    EXPECT_FALSE(heading.section(" (", 0, 0).contains(code)) << heading.toStdString();
  }

  // At the page's first size, COP and VHC show beside the names unscrolled.
  QTableView& table = Table();
  EXPECT_EQ(table.horizontalScrollBar()->value(), 0);
  for (const char* column : {"refrigerant", "COP", "VHC"}) {
    const int section = Column(column);
    EXPECT_GE(table.columnViewportPosition(section), 0) << column;
    EXPECT_LE(table.columnViewportPosition(section) + table.columnWidth(section),
              table.viewport()->width())
        << column;
  }
}

// While the rows come in from every core, the status counts each one as the
// progress bar does, and what it says is shown is what the filters let
// through. Rows that sort alike stand in the order of the files, whichever
// thread was done first.
TEST_F(ScreeningPage, TheRowsAreCountedAsTheyComeInAndKeptInTheOrderOfTheFiles) {
  OpenComparisonForm();
  Click(page::UserForm4, "ScreenAllFluids");
  const QProgressBar& progress = On<QProgressBar>(page::Screening, "Progress");
  int checked = 0;
  while (!progress.isHidden()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (progress.isHidden()) break;
    EXPECT_TRUE(Status().contains(QStringLiteral(" %1 fluids screened:").arg(progress.value())))
        << progress.value() << ": " << Status().toStdString();
    ++checked;
  }
  EXPECT_GT(checked, 0);
  ProcessEvents();
  EXPECT_TRUE(Status().contains(QStringLiteral("%1 shown").arg(RowCount()))) << Status().toStdString();

  ShowEveryFluid();
  std::map<QString, std::size_t> position;
  for (const auto& fluid : cycle::FindScreeningCandidates().fluids)
    position.emplace(QString::fromStdString(fluid.name), position.size());
  ClickHeading("kind");
  for (int row = 1; row < RowCount(); ++row) {
    if (Cell(row, "kind") != Cell(row - 1, "kind") || Cell(row, "status") != Cell(row - 1, "status"))
      continue;
    EXPECT_LT(position.at(Cell(row - 1, "refrigerant")), position.at(Cell(row, "refrigerant")))
        << Cell(row, "refrigerant").toStdString();
  }
}

TEST_F(ScreeningPage, RefusalsSayWhyInWords) {
  OpenScreening({{"TempEvap", "15"}, {"TemperatureCondensing", "40"}});
  ShowEveryFluid();
  const struct {
    const char* fluid;
    const char* reason;
  } cases[] = {
      {"CarbonDioxide",
       "its critical temperature 30.98 'C is not above the condensing temperature 40 'C"},
      {"R473A", "its critical temperature 31.93 'C is not above the condensing temperature 40 'C"},
      {"D4",
       "the evaporating temperature 15 'C lies below the lower temperature limit 17.10 'C of its "
       "equation"},
  };
  for (const auto& c : cases) {
    const int row = RowOf(c.fluid);
    EXPECT_EQ(Cell(row, "status"), "refused") << c.fluid;
    EXPECT_EQ(Cell(row, "reason"), c.reason) << c.fluid;
  }
  EXPECT_EQ(Cell(RowOf("R134a"), "status"), "ok");
}

TEST_F(ScreeningPage, SortsByTheColumnClickedUnknownValuesLast) {
  OpenScreening();
  const auto ok_rows = [this] {
    int count = 0;
    while (count < RowCount() && Cell(count, "status") == "ok") ++count;
    return count;
  };
  // The given order: COP, best first.
  const int ran = ok_rows();
  for (int row = 1; row < ran; ++row) EXPECT_GE(Number(row - 1, "COP"), Number(row, "COP"));

  const struct {
    const char* column;
    int clicks;
    bool ascending;
  } cases[] = {{"COP", 1, true},
               {"GWP", 1, true},
               {"GWP", 1, false},
               {"DischargePressure", 1, true},
               {"Tcrit", 2, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.column) + (c.ascending ? " ascending" : " descending"));
    for (int k = 0; k < c.clicks; ++k) ClickHeading(c.column);
    ASSERT_EQ(ok_rows(), ran) << "the refused stay after the others";
    for (const auto& [from, to] : {std::pair{0, ran}, std::pair{ran, RowCount()}}) {
      bool unknown_seen = false;
      for (int row = from + 1; row < to; ++row) {
        const double before = Number(row - 1, c.column), here = Number(row, c.column);
        if (std::isnan(before)) unknown_seen = true;
        if (std::isnan(here)) continue;
        EXPECT_FALSE(unknown_seen) << "a known value after an unknown one, row " << row;
        EXPECT_TRUE(c.ascending ? before <= here : before >= here) << "row " << row;
      }
    }
  }
  ClickHeading("refrigerant");
  QStringList names = Names().mid(0, ran);
  QStringList sorted = names;
  std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  EXPECT_EQ(names, sorted);
}

TEST_F(ScreeningPage, EachFilterShowsExactlyTheFluidsThatPassIt) {
  OpenScreening();
  ShowEveryFluid();
  const auto all = Shown();
  ASSERT_GT(all.size(), 250u);
  const auto number = [](const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : NAN;
  };
  std::map<QString, std::optional<double>> odp;
  for (const auto& fluid : cycle::FindScreeningCandidates().fluids)
    odp[QString::fromStdString(fluid.name)] = fluid.odp;
  using Cells = std::map<QString, QString>;
  const struct {
    const char* what;
    std::function<void()> set;
    std::function<bool(const Cells&)> passes;
  } cases[] = {
      {"blends", [&] { ChooseKind("Blends"); },
       [](const Cells& c) { return c.at("kind") == "blend"; }},
      {"pure fluids", [&] { ChooseKind("Pure fluids"); },
       [](const Cells& c) { return c.at("kind") == "pure"; }},
      {"A1 and A2L",
       [&] {
         for (const char* name : {"A2", "A3", "B1", "B2L", "B2", "B3", "unknown"})
           Class(name).setChecked(false);
       },
       [](const Cells& c) {
         return c.at("safety_class") == "A1" || c.at("safety_class") == "A2L";
       }},
      {"no class on record",
       [&] {
         for (const char* name : {"A1", "A2L", "A2", "A3", "B1", "B2L", "B2", "B3"})
           Class(name).setChecked(false);
       },
       [](const Cells& c) { return c.at("safety_class") == "unknown"; }},
      {"GWP up to 150", [&] { SetLimit("MaxGwp", "150"); },
       [&](const Cells& c) { return number(c.at("GWP")) <= 150; }},
      // From the files: the table's three decimals show an ODP of 0.00024 as 0.000.
      {"ODP zero", [&] { On<QCheckBox>(page::Screening, "ZeroOdpOnly").setChecked(true); },
       [&](const Cells& c) { return odp.at(c.at("refrigerant")) == 0.0; }},
      {"discharge up to 20 bar", [&] { SetLimit("MaxDischargePressure", "20"); },
       [&](const Cells& c) { return number(c.at("DischargePressure")) <= 20; }},
      {"discharge up to 100 'C", [&] { SetLimit("MaxDischargeTemperature", "100"); },
       [&](const Cells& c) { return number(c.at("DischargeTemperature")) <= 100; }},
      {"no vacuum", [&] { SetLimit("MinEvaporatingPressure", " 1.013 "); },
       [&](const Cells& c) { return number(c.at("EvaporatingPressure")) >= 1.013; }},
      {"all at once",
       [&] {
         ChooseKind("Pure fluids");
         SetLimit("MaxGwp", "10");
         SetLimit("MaxDischargeTemperature", "110");
       },
       [&](const Cells& c) {
         return c.at("kind") == "pure" && number(c.at("GWP")) <= 10 &&
                number(c.at("DischargeTemperature")) <= 110;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.set();
    ProcessEvents();
    std::set<QString> expected;
    for (const auto& [name, cells] : all)
      if (c.passes(cells)) expected.insert(name);
    const QStringList names = Names();
    EXPECT_EQ(std::set<QString>(names.begin(), names.end()), expected);
    EXPECT_FALSE(expected.empty());
    EXPECT_LT(expected.size(), all.size());
    EXPECT_TRUE(Status().contains(QStringLiteral("%1 shown").arg(expected.size())))
        << Status().toStdString();
    // Back to no filter.
    ChooseKind("All");
    for (const char* name : {"A1", "A2L", "A2", "A3", "B1", "B2L", "B2", "B3", "unknown"})
      Class(name).setChecked(true);
    On<QCheckBox>(page::Screening, "ZeroOdpOnly").setChecked(false);
    for (const char* box :
         {"MaxGwp", "MaxDischargePressure", "MaxDischargeTemperature", "MinEvaporatingPressure"})
      SetLimit(box, "");
    EXPECT_EQ(static_cast<std::size_t>(RowCount()), all.size());
  }

  // A limit that is not a number is said so, and not applied.
  SetLimit("MaxGwp", "low");
  SetLimit("MinEvaporatingPressure", "1,013");
  EXPECT_EQ(static_cast<std::size_t>(RowCount()), all.size());
  EXPECT_TRUE(Status().contains(
      "Highest GWP: \"low\" is not a number (the decimal separator is a point), so it is not "
      "applied. Lowest evaporating pressure (bar): \"1,013\" is not a number (the decimal "
      "separator is a point), so it is not applied."))
      << Status().toStdString();
}

TEST_F(ScreeningPage, ScreensWhatTheFiltersLetThroughAndTheRestWhenTheyWiden) {
  OpenComparisonForm();
  // Set before the screening starts: only the blends are screened.
  On<QComboBox>(page::Screening, "Kind").setCurrentText("Blends");
  Click(page::UserForm4, "ScreenAllFluids");
  WaitForScreening();
  ShowEveryFluid();
  std::size_t blends = 0, all = 0;
  for (const auto& fluid : cycle::FindScreeningCandidates().fluids) {
    ++all;
    if (fluid.kind == cycle::FluidKind::blend) ++blends;
  }
  EXPECT_EQ(static_cast<std::size_t>(RowCount()), blends);
  EXPECT_TRUE(Status().contains(QStringLiteral("%1 fluids screened").arg(blends)))
      << Status().toStdString();

  ChooseKind("All");
  EXPECT_FALSE(On<QProgressBar>(page::Screening, "Progress").isHidden()) << "the rest is screened";
  WaitForScreening();
  EXPECT_EQ(static_cast<std::size_t>(RowCount()), all);
}

TEST_F(ScreeningPage, ChartAndTableSelectTogetherAndThePointerNamesAFluid) {
  OpenScreening();
  const int ammonia = RowOf("Ammonia"), sulfide = RowOf("HydrogenSulfide"), r134a = RowOf("R134a");

  // Rows chosen in the table are the points chosen on the chart.
  ClickRow(r134a);
  ClickRow(ammonia, Qt::ControlModifier);
  EXPECT_EQ(SelectedInTable(), (QStringList{"Ammonia", "R134a"}));
  EXPECT_EQ(SelectedInChart(), (QStringList{"Ammonia", "R134a"}));

  // A click on a point chooses its row alone; Ctrl adds another.
  ClickChart(PlaceOfRow(RowOf("HydrogenSulfide")));
  EXPECT_EQ(SelectedInChart(), QStringList{"HydrogenSulfide"});
  EXPECT_EQ(SelectedInTable(), QStringList{"HydrogenSulfide"});
  ClickChart(PlaceOfRow(RowOf("Ammonia")), Qt::ControlModifier);
  EXPECT_EQ(SelectedInTable(), (QStringList{"Ammonia", "HydrogenSulfide"}));

  // A dragged rectangle chooses the points inside it: every fluid above
  // 15000 kJ/m3.
  plots::ScreeningChart& chart = Chart();
  const QRect frame = chart.axisRect()->rect();
  const QPointF from(chart.xAxis->coordToPixel(15000), frame.top() + 2);
  const QPointF to(frame.right() - 2, frame.bottom() - 2);
  SendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
  SendMouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
  SendMouse(QEvent::MouseMove, to, Qt::LeftButton);
  SendMouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
  QStringList above;
  for (int row = 0; row < RowCount(); ++row)
    if (Number(row, "VHC") > 15000) above << Cell(row, "refrigerant");
  above.sort();
  ASSERT_GE(above.size(), 2);
  EXPECT_EQ(SelectedInChart(), above);
  EXPECT_EQ(SelectedInTable(), above);

  // The pointer over a point names its fluid with its figures; away from
  // every point it names none.
  EXPECT_TRUE(ChartTexts().isEmpty());
  SendMouse(QEvent::MouseMove, PlaceOfRow(sulfide), Qt::NoButton);
  const QStringList named = ChartTexts();
  ASSERT_EQ(named.size(), 1);
  // The figures as the table shows them.
  EXPECT_EQ(named[0], "HydrogenSulfide\nCOP " + Cell(sulfide, "COP") + "   VHC " +
                          Cell(sulfide, "VHC") + " kJ/m3");
  SendMouse(QEvent::MouseMove, QPointF(frame.center().x(), frame.top() + 1), Qt::NoButton);
  EXPECT_TRUE(ChartTexts().isEmpty());
  SendMouse(QEvent::MouseMove, PlaceOfRow(ammonia), Qt::NoButton);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&chart, &leave);
  EXPECT_TRUE(ChartTexts().isEmpty());

  // The selection outlives a new order and a filter that keeps it.
  ClickHeading("GWP");
  EXPECT_EQ(SelectedInTable(), above);
  EXPECT_EQ(SelectedInChart(), above);
}

TEST_F(ScreeningPage, ExportWritesTheTableAsShown) {
  OpenScreening();
  ChooseKind("Pure fluids");
  SetText(page::Screening, "MaxGwp", "10");
  ClickHeading("refrigerant");
  const QStringList names = Names();
  ASSERT_GT(names.size(), 5);

  QTemporaryDir dir;
  save_file_answer_ = dir.filePath("screening.csv");
  Click(page::Screening, "Export");
  EXPECT_TRUE(TakeMessages().isEmpty());
  EXPECT_TRUE(save_dialogs_.value(0).contains("(*.csv)"));
  QFile file(save_file_answer_);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), names.size() + 2);
  // The conditions and the units first, as a comment; then the command line's table.
  EXPECT_EQ(lines[0],
            "# Screening under the comparison's conditions: heat capacity 10 kW, evaporating "
            "50 'C, condensing 90 'C, subcooling 3.5 K, superheating 4 K, safety factor 100 %, "
            "isentropic efficiency 80 %. Units: Tcrit 'C, GlideEvap K, GlideCond K, VHC kJ/m3, "
            "MassPerHeat kg/kJ, VaporVolume m3/kg, DisplacementVolume m3/h, EvaporatingPressure "
            "bar, DischargePressure bar, DischargeTemperature 'C, MinSuperheat K; the other "
            "numbers have none.");
  EXPECT_EQ(lines[1],
            "refrigerant,kind,safety_class,GWP,ODP,Tcrit,GlideEvap,GlideCond,COP,VHC,MassPerHeat,"
            "VaporVolume,DisplacementVolume,EvaporatingPressure,DischargePressure,"
            "DischargeTemperature,PressureRatio,WetCompression,MinSuperheat,status,reason");
  for (int row = 0; row < names.size(); ++row) {
    const QStringList fields = lines[row + 2].split(',');
    ASSERT_EQ(fields.size(), 21) << lines[row + 2].toStdString();
    EXPECT_EQ(fields[0], names[row]);
    EXPECT_EQ(fields[1], "pure");
    EXPECT_EQ(fields[8], Cell(row, "COP"));
    EXPECT_EQ(fields[4], Cell(row, "ODP") == "unknown" ? QString() : Cell(row, "ODP"))
        << "unknown is empty in the file";
  }

  save_file_answer_ = dir.filePath("screening.txt");
  Click(page::Screening, "Export");
  EXPECT_EQ(TakeMessages(), QStringList{"Please choose a file name ending in .csv"});
  save_file_answer_ = dir.filePath("no such folder/screening.csv");
  Click(page::Screening, "Export");
  const QStringList failed = TakeMessages();
  ASSERT_EQ(failed.size(), 1);
  EXPECT_TRUE(failed[0].startsWith("Cannot write")) << failed[0].toStdString();
}

}  // namespace
}  // namespace forms_test
