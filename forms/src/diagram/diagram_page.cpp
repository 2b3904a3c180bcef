#include "diagram/diagram_page.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

#include "common/design.h"
#include "common/export_actions.h"
#include "forms/page_names.h"
#include "plots/plot_file.h"

namespace forms {

namespace {

constexpr QSize kInitialSize{1000, 720};
constexpr QSize kSmallestSize{640, 480};

// A blend's bubble and dew lines lie apart; its quality is a molar one.
// (Compared halfway up the dome: at the triple point a pure fluid's two
// saturation pressures differ by the series' rounding.)
bool Glides(const cycle::CycleDiagram& d) {
  if (d.bubble.size() != d.dew.size() || d.bubble.empty()) return false;
  const std::size_t half = d.bubble.size() / 2;
  return std::abs(d.bubble[half].p - d.dew[half].p) > 1e-7 * d.dew[half].p;
}

QString ReadingText(const std::string& refrigerant, const cycle::StateReading& r, bool glides) {
  QString text = QStringLiteral("%1:  T %2 \u00b0C   p %3 bar   h %4 kJ/kg   s %5 kJ/kg-K")
                     .arg(QString::fromStdString(refrigerant), Fixed(r.state.T, 2),
                          Fixed(r.state.p, 3), Fixed(r.state.h, 2), Fixed(r.state.s, 4));
  if (r.quality) {
    text += glides ? QStringLiteral("   vapour fraction %1 (molar)").arg(Fixed(*r.quality, 3))
                   : QStringLiteral("   quality %1").arg(Fixed(*r.quality, 3));
  }
  return text;
}

QRadioButton& AddChoice(QWidget& page, QBoxLayout& row, QButtonGroup& group, const QString& name,
                        const QString& caption) {
  auto* choice = new QRadioButton(caption, &page);
  choice->setObjectName(name);
  group.addButton(choice);
  row.addWidget(choice);
  return *choice;
}

}  // namespace

void DrawDiagram(plots::CycleDiagramPlot& plot,
                 const std::variant<cycle::CycleDiagram, std::string>& diagram,
                 cycle::DiagramKind kind) {
  if (const auto* message = std::get_if<std::string>(&diagram)) {
    plot.DrawNothing(kind, QString::fromStdString(*message));
    return;
  }
  plot.Draw({&std::get<cycle::CycleDiagram>(diagram), 1});
}

DiagramPage::DiagramPage(Shell& shell) : shell_(shell) {
  setWindowTitle(QString::fromLatin1(kTitle));
  SizeGrowingPage(*this, kInitialSize, kSmallestSize);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  layout->addLayout(top);
  top->addWidget(new QLabel(QStringLiteral("Diagram:"), this));
  auto* kinds = new QButtonGroup(this);
  pressure_enthalpy_ = &AddChoice(*this, *top, *kinds, QStringLiteral("PressureEnthalpy"),
                                  QStringLiteral("log p-h"));
  temperature_entropy_ = &AddChoice(*this, *top, *kinds, QStringLiteral("TemperatureEntropy"),
                                    QStringLiteral("T-s"));
  pressure_enthalpy_->setChecked(true);
  top->addSpacing(24);
  choices_label_ = new QLabel(QStringLiteral("Refrigerants:"), this);
  top->addWidget(choices_label_);
  for (int k = 1; k <= cycle::kMaxRefrigerants; ++k) {
    auto* choice = new QCheckBox(this);
    choice->setObjectName(QStringLiteral("Refrigerant%1").arg(k));
    top->addWidget(choice);
    choices_.push_back(choice);
    connect(choice, &QCheckBox::toggled, this, &DiagramPage::Redraw);
  }
  top->addStretch();

  plot_ = new plots::CycleDiagramPlot(plots::DiagramLook::Chart, this);
  plot_->setObjectName(QStringLiteral("Plot"));
  plot_->AllowZoom();
  layout->addWidget(plot_, 1);

  reading_ = new QLabel(this);
  reading_->setObjectName(QStringLiteral("Reading"));
  reading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  reading_->setWordWrap(true);
  reading_->setMinimumHeight(3 * fontMetrics().height());
  reading_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(reading_);

  auto* bottom = new QHBoxLayout;
  layout->addLayout(bottom);
  auto& back = AddButton(*this, *bottom, QStringLiteral("Back"), QStringLiteral("Back"));
  bottom->addStretch();
  auto& reset = AddButton(*this, *bottom, QStringLiteral("ResetZoom"), QStringLiteral("Reset Zoom"));
  auto& copy = AddButton(*this, *bottom, QStringLiteral("CopyPicture"), QStringLiteral("Copy Picture"));
  auto& save = AddButton(*this, *bottom, QStringLiteral("Export"), QStringLiteral("Export..."));

  DeclareKeyButtons(*this, {.main = &back, .back = &back});

  connect(pressure_enthalpy_, &QRadioButton::toggled, this, &DiagramPage::Redraw);
  connect(plot_, &plots::CycleDiagramPlot::PointerMoved, this, &DiagramPage::ShowReading);
  connect(plot_, &plots::CycleDiagramPlot::PointerLeft, this, &DiagramPage::ShowHint);
  connect(&back, &QPushButton::clicked, this, &DiagramPage::Back);
  connect(&reset, &QPushButton::clicked, plot_, &plots::CycleDiagramPlot::ResetView);
  connect(&copy, &QPushButton::clicked, this, &DiagramPage::CopyPicture);
  connect(&save, &QPushButton::clicked, this, &DiagramPage::Export);
}

void DiagramPage::ShowBasicCycle(const cycle::BasicCycleInput& input, const QString& from) {
  Open(input, {input.Refrigerant}, from);
}

void DiagramPage::ShowComparison(const cycle::ComparisonResults& results, const QString& from) {
  const auto count = static_cast<std::size_t>(std::max<short>(results.RefCount, 0));
  Open(results.Conditions,
       std::vector<std::string>(results.RefName.begin(), results.RefName.begin() + count), from);
}

void DiagramPage::ShowTranscriticalCycle(const cycle::TranscriticalInput& input,
                                         const QString& from) {
  Open(input, {input.Refrigerant}, from);
}

void DiagramPage::ShowLayout(const cycle::LayoutResult& result, const QString& from) {
  Open(result, {result.refrigerant}, from);
}

void DiagramPage::Open(Source source, std::vector<std::string> refrigerants, const QString& from) {
  source_ = std::move(source);
  refrigerants_ = std::move(refrigerants);
  from_ = from;
  diagrams_.clear();
  // A choice of refrigerants only where there is more than one to choose.
  const bool choosing = refrigerants_.size() > 1;
  choices_label_->setVisible(choosing);
  for (std::size_t k = 0; k < choices_.size(); ++k) {
    QCheckBox* choice = choices_[k];
    const QSignalBlocker quiet(choice);
    choice->setVisible(choosing && k < refrigerants_.size());
    choice->setText(k < refrigerants_.size() ? QString::fromStdString(refrigerants_[k]) : QString());
    choice->setChecked(k == 0);
  }
  Redraw();
}

cycle::DiagramKind DiagramPage::Kind() const {
  return pressure_enthalpy_->isChecked() ? cycle::DiagramKind::PressureEnthalpy
                                         : cycle::DiagramKind::TemperatureEntropy;
}

std::vector<std::size_t> DiagramPage::Chosen() const {
  std::vector<std::size_t> chosen;
  for (std::size_t k = 0; k < refrigerants_.size(); ++k) {
    if (refrigerants_.size() == 1 || choices_[k]->isChecked()) chosen.push_back(k);
  }
  return chosen;
}

const DiagramPage::Outcome& DiagramPage::DiagramOf(const std::string& refrigerant,
                                                   cycle::DiagramKind kind) {
  const auto key = std::pair{refrigerant, kind};
  if (const auto found = diagrams_.find(key); found != diagrams_.end()) return found->second;
  Outcome outcome = std::visit(
      [&](const auto& source) -> Outcome {
        using S = std::decay_t<decltype(source)>;
        if constexpr (std::is_same_v<S, cycle::BasicCycleInput>) {
          return cycle::BasicCycleDiagram(source, kind);
        } else if constexpr (std::is_same_v<S, cycle::TranscriticalInput>) {
          return cycle::TranscriticalCycleDiagram(source, kind);
        } else if constexpr (std::is_same_v<S, cycle::LayoutResult>) {
          return cycle::LayoutDiagram(source, kind);
        } else {
          return cycle::ComparisonDiagram(refrigerant, source, kind);
        }
      },
      source_);
  return diagrams_.emplace(key, std::move(outcome)).first->second;
}

void DiagramPage::Redraw() {
  const cycle::DiagramKind kind = Kind();
  std::vector<cycle::CycleDiagram> shown;
  // Each refrigerant in the colour of its place in the comparison, whichever
  // others are shown with it.
  std::vector<std::size_t> colours;
  QStringList failures;
  for (const std::size_t k : Chosen()) {
    const Outcome& outcome = DiagramOf(refrigerants_[k], kind);
    if (const auto* diagram = std::get_if<cycle::CycleDiagram>(&outcome)) {
      shown.push_back(*diagram);
      colours.push_back(k);
    } else {
      failures << QString::fromStdString(std::get<std::string>(outcome));
    }
  }
  if (!shown.empty()) {
    plot_->Draw(shown, colours);
  } else {
    plot_->DrawNothing(kind, failures.isEmpty() ? QStringLiteral("Choose a refrigerant to show")
                                                : QStringLiteral("No diagram"));
  }
  if (failures.isEmpty()) ShowHint();
  else reading_->setText(failures.join(QLatin1Char('\n')));
}

void DiagramPage::ShowReading(double x, double y) {
  QStringList lines;
  for (const std::size_t k : Chosen()) {
    const std::string& refrigerant = refrigerants_[k];
    const auto* diagram = std::get_if<cycle::CycleDiagram>(&DiagramOf(refrigerant, Kind()));
    if (diagram == nullptr) continue;
    if (const auto reading = cycle::ReadState(refrigerant, Kind(), x, y)) {
      lines << ReadingText(refrigerant, *reading, Glides(*diagram));
    } else {
      lines << QString::fromStdString(refrigerant) + QStringLiteral(":  no state here");
    }
  }
  reading_->setText(lines.join(QLatin1Char('\n')));
}

void DiagramPage::ShowHint() {
  reading_->setText(QStringLiteral(
      "Point at the diagram to read the state there. Zoom with the wheel or by dragging a "
      "rectangle; Reset Zoom shows the whole cycle again."));
}

void DiagramPage::Back() {
  shell_.pages.Unload(page::Diagram);
  shell_.pages.Show(from_);
}

void DiagramPage::Export() {
  const FileChoice choice{QStringLiteral("Export Diagram"),
                          {QStringLiteral("PNG picture (*.png)"), QStringLiteral("SVG drawing (*.svg)"),
                           QStringLiteral("PDF document (*.pdf)")},
                          [](const QString& file) {
                            return plots::PlotFormatOf(file.toStdString()).has_value();
                          },
                          QStringLiteral("Please choose a file name ending in .png, .svg or .pdf")};
  SaveAs(shell_, this, choice, [this](const QString& file) {
    const auto failure = plots::WritePlot(*plot_, file);
    if (!failure) reading_->setText(QStringLiteral("Exported to %1").arg(file));
    return failure;
  });
}

void DiagramPage::CopyPicture() {
  QGuiApplication::clipboard()->setImage(plot_->toPixmap().toImage());
  reading_->setText(QStringLiteral("The picture is on the clipboard."));
}

}  // namespace forms
