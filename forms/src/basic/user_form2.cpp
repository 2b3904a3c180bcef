#include "basic/user_form2.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <utility>

#include "cycle/number_text.h"
#include "diagram/diagram_page.h"
#include "common/export_actions.h"
#include "common/page_keys.h"
#include "report/report_file.h"
#include "forms/page_names.h"

namespace forms {
namespace {

// Columns and rows of the point table.
constexpr int kPressureLeft = 5080, kTemperatureLeft = 8255, kEnthalpyLeft = 11430;
constexpr int kPointTop[] = {9526, 11008, 12490, 13971};
constexpr int kCellWidth = 2540, kCellHeight = 1058;

constexpr Box kPointButton{1693, 9525, 2752, 5503};

// The point button's caption lines "Point 1" to "Point 4" double as the row
// headings of the table, so each is drawn level with its row of boxes.
class RowHeadingButton : public QPushButton {
 public:
  RowHeadingButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QStringList headings = MnemonicCaption(*this).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (int row = 0; row < headings.size() && row < int(std::size(kPointTop)); ++row) {
      const QRect band(0, Px(kPointTop[row] - kPointButton.top), width(), Px(kCellHeight));
      painter.drawText(band, Qt::AlignCenter | Qt::TextShowMnemonic, headings[row]);
    }
  }
};

QLineEdit& PointBox(QWidget& page, const QString& name, int left, int point) {
  return AddResultBox(page, name, {left, kPointTop[point - 1], kCellWidth, kCellHeight});
}

// The figures beyond the design: in the free space right of the duties,
// above Back, a row each of caption and box.
constexpr int kMoreCaptionLeft = 10400, kMoreCaptionWidth = 2900;
constexpr int kMoreBoxLeft = 13350, kMoreBoxWidth = 2000, kMoreHeight = 635;
constexpr int kMoreTop[] = {1640, 2330, 3020};

QLineEdit& MoreBox(QWidget& page, const QString& name, const QString& caption, int row,
                   const QString& tip) {
  AddLabel(page, name + "Caption", caption,
           {kMoreCaptionLeft, kMoreTop[row], kMoreCaptionWidth, kMoreHeight})
      .setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QLineEdit& box =
      AddResultBox(page, name, {kMoreBoxLeft, kMoreTop[row], kMoreBoxWidth, kMoreHeight});
  box.setToolTip(tip);
  return box;
}

// Point 4's own temperature, under T4 in the page's bottom margin.
constexpr Box kT4Actual{kTemperatureLeft, kPointTop[3] + kCellHeight + 20, kCellWidth, 560};

}  // namespace

UserForm2::UserForm2(Shell& shell)
    : PageWindow(15584, 15637),
      shell_(shell),
      Evap(AddResultBox(*this, "Evap", {6350, 1693, 3810, 1058})),
      Conden(AddResultBox(*this, "Conden", {6350, 3175, 3810, 1058})),
      Compress(AddResultBox(*this, "Compress", {6350, 4657, 3810, 1058})),
      EV(AddResultBox(*this, "EV", {6350, 6138, 3810, 1058})),
      P1(PointBox(*this, "P1", kPressureLeft, 1)),
      T1(PointBox(*this, "T1", kTemperatureLeft, 1)),
      H1(PointBox(*this, "H1", kEnthalpyLeft, 1)),
      P2(PointBox(*this, "P2", kPressureLeft, 2)),
      T2(PointBox(*this, "T2", kTemperatureLeft, 2)),
      H2(PointBox(*this, "H2", kEnthalpyLeft, 2)),
      P3(PointBox(*this, "P3", kPressureLeft, 3)),
      T3(PointBox(*this, "T3", kTemperatureLeft, 3)),
      H3(PointBox(*this, "H3", kEnthalpyLeft, 3)),
      P4(PointBox(*this, "P4", kPressureLeft, 4)),
      T4(PointBox(*this, "T4", kTemperatureLeft, 4)),
      H4(PointBox(*this, "H4", kEnthalpyLeft, 4)),
      COP(MoreBox(*this, "COP", "Heating COP (-)", 0, "Condenser duty over compressor power")),
      VHC(MoreBox(*this, "VHC", "VHC (kJ/m3)", 1,
                  "Volumetric heating capacity: heat given per m3 of vapour at the suction")),
      H2actual(MoreBox(*this, "H2actual", "h2 actual (kJ/kg)", 2,
                       "The actual discharge enthalpy, which gives T2 and the duties; "
                       "H2 in the table holds the isentropic h2s")),
      T4actual(AddLabel(*this, "T4actual", QString(), kT4Actual)) {
  T4actual.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  T4actual.setToolTip(
      "Point 4 as it enters the evaporator. T4 holds the evaporating temperature, where a "
      "blend's vapour is saturated (its dew point); after the valve the blend is colder by part "
      "of its glide.");
  AddLabel(*this, "Label8", "Properties of each components", {2752, 423, 10160, 1059},
           Emphasis::Heading);
  AddLabel(*this, "Label1", "Evaporator (kW)", {1905, 1905, 4022, 635});
  AddLabel(*this, "Label2", "Condenser (kW)", {1905, 3387, 4022, 635});
  AddLabel(*this, "Label3", "Compressor (kW)", {1693, 4868, 4022, 635});
  AddLabel(*this, "Label4", "Expansion Valve (TR)", {847, 6350, 4868, 635});
  AddLabel(*this, "Label9", "Pressure \n  (Bar)", {5291, 7832, 2540, 1694});
  AddLabel(*this, "Label10", "Temperature\n  (Celcius)", {7831, 7832, 3599, 1482});
  AddLabel(*this, "Label11", " Enthalpy\n(kJ/kg-'C)", {11430, 7832, 2752, 1482});
  auto& back = AddButton(*this, "CommandButton1", "Back", {11218, 3810, 3598, 1270});
  auto& points = *new RowHeadingButton("Point 1\n\nPoint 2\n\nPoint 3\n\nPoint 4\n", this);
  points.setObjectName("CommandButton3");
  points.setAutoDefault(false);
  Place(points, kPointButton);

  // Under Back, in the page's free space above the table's headings.
  auto& diagram = AddButton(*this, "Diagram", "Diagram", {11218, 5180, 3598, 800});
  auto& copy = AddButton(*this, "Copy", "Copy", {11218, 6080, 3598, 800});
  auto& save = AddButton(*this, "SaveReport", "Save Report...", {11218, 6980, 3598, 800});

  // Return leads back to the inputs, for the next calculation.
  DeclareKeyButtons(*this, {.main = &back, .back = &back});

  connect(&back, &QPushButton::clicked, this, &UserForm2::CommandButton1_Click);
  connect(&diagram, &QPushButton::clicked, this, &UserForm2::Diagram_Click);
  connect(&copy, &QPushButton::clicked, this, &UserForm2::Copy_Click);
  connect(&save, &QPushButton::clicked, this, &UserForm2::SaveReport_Click);
  connect(&points, &QPushButton::clicked, this, &UserForm2::CommandButton3_Click);
}

std::optional<cycle::BasicCycleInput> UserForm2::ShownInput() const {
  if (!shown_) return std::nullopt;
  return shown_->input;
}

void UserForm2::ShowResults(const cycle::BasicCycleInput& input, const cycle::BasicCycleResult& r) {
  shown_ = Shown{input, r};
  const std::pair<QLineEdit*, double> figures[] = {
      {&Evap, r.Evap}, {&Conden, r.Conden}, {&Compress, r.Compress}, {&EV, r.EV},
      {&P1, r.P1},     {&P2, r.P2},         {&P3, r.P3},             {&P4, r.P4},
      {&T1, r.T1},     {&T2, r.T2},         {&T3, r.T3},             {&T4, r.T4},
      {&H1, r.H1},     {&H2, r.H2},         {&H3, r.H3},             {&H4, r.H4}};
  for (const auto& [box, value] : figures)
    box->setText(QString::fromStdString(cycle::FormatPattern(value, 2)));
  COP.setText(Fixed(r.COP, 2));
  VHC.setText(Fixed(r.VHC, 1));
  H2actual.setText(Fixed(r.H2actual, 2));
  // As T4 shows it, so that a pure fluid's shows no difference.
  const QString actual = QString::fromStdString(cycle::FormatPattern(r.T4actual, 2));
  T4actual.setText(actual == T4.text() ? QString() : QStringLiteral("actual %1").arg(actual));
}

void UserForm2::CommandButton1_Click() {
  shell_.pages.Unload(page::UserForm2);
  shell_.pages.Show(page::UserForm1);
}

void UserForm2::Diagram_Click() {
  shell_.pages.Hide(page::UserForm2);
  if (shown_) shell_.pages.Get<DiagramPage>(page::Diagram).ShowBasicCycle(shown_->input, page::UserForm2);
  shell_.pages.Show(page::Diagram);
}

void UserForm2::Copy_Click() {
  if (shown_) CopyTable(report::BasicTable(shown_->input, shown_->result));
}

void UserForm2::SaveReport_Click() {
  if (!shown_) return;
  SaveAs(shell_, this, ReportChoice(), [this](const QString& file) {
    return report::WriteBasicReport(file, shown_->input, shown_->result);
  });
}

void UserForm2::CommandButton3_Click() {
  shell_.pages.Hide(page::UserForm2);
  shell_.pages.Show(page::UserForm13);
}

}  // namespace forms
