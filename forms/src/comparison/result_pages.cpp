#include "comparison/result_pages.h"

#include <QPlainTextEdit>

#include "diagram/diagram_page.h"
#include "common/export_actions.h"
#include "report/report_file.h"
#include "report/report_tables.h"
#include "forms/page_names.h"

namespace forms {
namespace {

constexpr int kMargin = 635;
constexpr int kButtonWidth = 2540, kButtonHeight = 1058;
constexpr int kTextTop = 2117;
constexpr int kTextWidth = 13100, kTotalTextWidth = 16100, kTextHeight = 11200;

// A piece of a line kept on one line of the box: its blanks do not break,
// but for its first and last, where it meets its neighbours. The box reads
// them back as blanks, so its text is the page's text.
QString KeptTogether(const std::string& piece) {
  QString text = QString::fromStdString(piece);
  for (qsizetype i = 1; i + 1 < text.size(); ++i) {
    if (text[i] == QLatin1Char(' ')) text[i] = QChar::Nbsp;
  }
  return text;
}

// The page's text as the box shows it, lines wrapping only between figures.
QString PageText(const cycle::ComparisonResults& results, const ResultPageDesign& design) {
  const auto lines = design.figure ? cycle::ResultPageLines(results, *design.figure)
                                   : cycle::TotalPageLines(results);
  QString text;
  for (const auto& line : lines) {
    text += QLatin1Char('\n');
    for (const std::string& piece : line) text += KeptTogether(piece);
  }
  return text;
}

int ClientWidth(const ResultPageDesign& design) {
  return 2 * kMargin + (design.figure ? kTextWidth : kTotalTextWidth);
}

// The total page has a row of buttons of its own under the text.
int ClientHeight(const ResultPageDesign& design) {
  const int text_bottom = kTextTop + kTextHeight + kMargin;
  return design.figure ? text_bottom : text_bottom + kButtonHeight + kMargin;
}

constexpr int kTotalButtonsTop = kTextTop + kTextHeight + kMargin;

}  // namespace

// The mass-per-heat page, whose own Next leads to the displacement page, sits
// between the vapour-volume page and the displacement page, so that every
// figure of the total page also has a page of its own.
const std::vector<ResultPageDesign>& ResultPageSequence() {
  using cycle::Figure;
  static const std::vector<ResultPageDesign> sequence{
      {page::UserForm5_G, "COP", Figure::COP, page::UserForm4, page::UserForm8_G},
      {page::UserForm8_G, "Vapor of Volume ", Figure::VaporVolume, page::UserForm5_G,
       page::UserForm6_G},
      {page::UserForm6_G, "Mass Flow Rate Per \nUnit Heat Output ", Figure::MassPerHeat,
       page::UserForm8_G, page::UserForm7_G},
      {page::UserForm7_G, "Displacement Volume", Figure::DisplacementVolume, page::UserForm6_G,
       page::UserForm9_G},
      {page::UserForm9_G, "Compression Discharge  Pressure", Figure::DischargePressure,
       page::UserForm7_G, page::UserForm10_G},
      {page::UserForm10_G, "Discharge Temperature ", Figure::DischargeTemperature,
       page::UserForm9_G, page::UserForm3_G},
      {page::UserForm3_G, "Pressure Ratio ", Figure::PressureRatio, page::UserForm10_G,
       page::TotalResults},
      {page::TotalResults, "Total results", std::nullopt, page::UserForm3_G, page::UserForm4},
  };
  return sequence;
}

ResultPage::ResultPage(Shell& shell, const ResultPageDesign& design)
    : PageWindow(ClientWidth(design), ClientHeight(design)),
      shell_(shell),
      design_(design) {
  const int width = ClientWidth(design);
  auto& back = AddButton(*this, "CommandButton3", "Back", {kMargin, kMargin, kButtonWidth, kButtonHeight});
  auto& next = AddButton(*this, "CommandButton2", "Next",
                         {width - kMargin - kButtonWidth, kMargin, kButtonWidth, kButtonHeight});
  const int title_left = 2 * kMargin + kButtonWidth;
  AddLabel(*this, "Label17", design.title, {title_left, 318, width - 2 * title_left, 1482},
           Emphasis::Heading);

  auto* text = new QPlainTextEdit(this);
  text->setObjectName("TextBox2");
  text->setReadOnly(true);
  text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Place(*text, {kMargin, kTextTop, width - 2 * kMargin, kTextHeight});
  // UserForm_initialize: the text comes from the record as it is now.
  text->setPlainText(PageText(shell.results, design));

  if (!design.figure) {
    const auto bottom = [](int place) {
      return Box{kMargin + place * (kButtonWidth + kMargin), kTotalButtonsTop, kButtonWidth,
                 kButtonHeight};
    };
    auto& diagrams = AddButton(*this, "Diagrams", "Diagrams", bottom(0));
    auto& copy = AddButton(*this, "Copy", "Copy", bottom(1));
    auto& save = AddButton(*this, "SaveReport", "Save Report...", bottom(2));
    connect(&diagrams, &QPushButton::clicked, this, &ResultPage::ShowDiagrams);
    connect(&copy, &QPushButton::clicked, this,
            [this] { CopyTable(report::ComparisonTableWithConditions(shell_.results)); });
    connect(&save, &QPushButton::clicked, this, [this] {
      SaveAs(shell_, this, ReportChoice(), [this](const QString& file) {
        return report::WriteComparisonReport(file, shell_.results);
      });
    });
  }

  DeclareKeyButtons(*this, {.main = &next, .back = &back});
  connect(&back, &QPushButton::clicked, this, [this] { MoveTo(design_.back); });
  connect(&next, &QPushButton::clicked, this, [this] { MoveTo(design_.next); });
}

// The total page waits, hidden with its text, for the diagram page's Back.
void ResultPage::ShowDiagrams() {
  shell_.pages.Hide(design_.name);
  shell_.pages.Get<DiagramPage>(page::Diagram).ShowComparison(shell_.results, design_.name);
  shell_.pages.Show(page::Diagram);
}

void ResultPage::MoveTo(const QString& target) {
  shell_.pages.Unload(design_.name);
  shell_.pages.Show(target);
}

}  // namespace forms
