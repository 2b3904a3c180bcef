#include "screening/screening_filters.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace forms {

namespace {

// The classes of ASHRAE Standard 34, by toxicity (A, B) and flammability.
constexpr const char* kSafetyClasses[] = {"A1", "A2L", "A2", "A3", "B1", "B2L", "B2", "B3"};

enum KindChoice { kAllKinds, kPureOnly, kBlendsOnly };

// A limit as typed, with a point or a comma before the decimals; nothing
// when the box is empty or holds no number.
std::optional<double> LimitIn(const QLineEdit& box) {
  QString text = box.text().trimmed();
  text.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double value = QLocale::c().toDouble(text, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

// Whether the fluid passes the filter as chosen, or, without a class on
// record while "unknown" is ticked, the filter with any class.
template <class Fluid>
bool AdmittedBy(const ScreeningSelection& selection, const Fluid& fluid, bool classified,
                bool (*passes)(const Fluid&, const cycle::ScreeningFilter&)) {
  if (passes(fluid, selection.filter)) return true;
  if (classified || !selection.unclassified) return false;
  cycle::ScreeningFilter any_class = selection.filter;
  any_class.safety_classes.reset();
  return passes(fluid, any_class);
}

}  // namespace

bool ScreeningSelection::Admits(const cycle::ScreeningCandidate& fluid) const {
  return AdmittedBy(*this, fluid, fluid.safety_class.has_value(), cycle::PassesFacts);
}

bool ScreeningSelection::Admits(const cycle::ScreeningRow& row) const {
  return AdmittedBy(*this, row, row.fluid.safety_class.has_value(), cycle::Passes);
}

ScreeningFilters::ScreeningFilters(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  // Three short rows, so that every caption shows in a small window too.
  auto* facts = new QHBoxLayout;
  auto* limits = new QHBoxLayout;
  auto* figures = new QHBoxLayout;
  for (QHBoxLayout* row : {facts, limits, figures}) layout->addLayout(row);

  facts->addWidget(new QLabel(QStringLiteral("Kind:"), this));
  kind_ = new QComboBox(this);
  kind_->setObjectName(QStringLiteral("Kind"));
  kind_->addItems({QStringLiteral("All"), QStringLiteral("Pure fluids"), QStringLiteral("Blends")});
  facts->addWidget(kind_);
  facts->addSpacing(16);
  facts->addWidget(new QLabel(QStringLiteral("Safety class:"), this));
  QStringList classes;
  for (const char* name : kSafetyClasses) classes << QString::fromLatin1(name);
  classes << QStringLiteral("unknown");
  for (const QString& name : classes) {
    auto* box = new QCheckBox(name, this);
    box->setObjectName(QStringLiteral("Class_") + name);
    box->setChecked(true);
    facts->addWidget(box);
    classes_.push_back(box);
    connect(box, &QCheckBox::toggled, this, &ScreeningFilters::Changed);
  }
  facts->addStretch();

  zero_odp_ = new QCheckBox(QStringLiteral("ODP zero only"), this);
  zero_odp_->setObjectName(QStringLiteral("ZeroOdpOnly"));
  limits->addWidget(zero_odp_);
  limits->addSpacing(16);
  const auto add_limit = [&](QHBoxLayout& row, const QString& name, const QString& caption) {
    row.addWidget(new QLabel(caption + QLatin1Char(':'), this));
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setPlaceholderText(QStringLiteral("any"));
    box->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    row.addWidget(box);
    row.addSpacing(16);
    connect(box, &QLineEdit::textChanged, this, &ScreeningFilters::Changed);
    return Limit{caption, box};
  };
  max_gwp_ = add_limit(*limits, QStringLiteral("MaxGwp"), QStringLiteral("Highest GWP"));
  min_evaporating_pressure_ = add_limit(*limits, QStringLiteral("MinEvaporatingPressure"),
                                        QStringLiteral("Lowest evaporating pressure (bar)"));
  limits->addStretch();
  max_discharge_pressure_ = add_limit(*figures, QStringLiteral("MaxDischargePressure"),
                                      QStringLiteral("Highest discharge pressure (bar)"));
  max_discharge_temperature_ = add_limit(*figures, QStringLiteral("MaxDischargeTemperature"),
                                         QStringLiteral("Highest discharge temperature ('C)"));
  figures->addStretch();

  connect(kind_, &QComboBox::currentIndexChanged, this, &ScreeningFilters::Changed);
  connect(zero_odp_, &QCheckBox::toggled, this, &ScreeningFilters::Changed);
}

ScreeningSelection ScreeningFilters::Selection() const {
  ScreeningSelection selection;
  cycle::ScreeningFilter& filter = selection.filter;
  if (kind_->currentIndex() == kPureOnly) filter.kind = cycle::FluidKind::pure;
  if (kind_->currentIndex() == kBlendsOnly) filter.kind = cycle::FluidKind::blend;
  // All ticked: no choice of classes, so fluids of any class or none pass.
  const bool all = std::all_of(classes_.begin(), classes_.end(),
                               [](const QCheckBox* box) { return box->isChecked(); });
  if (!all) {
    filter.safety_classes.emplace();
    for (std::size_t i = 0; i + 1 < classes_.size(); ++i) {
      if (classes_[i]->isChecked())
        filter.safety_classes->insert(classes_[i]->text().toStdString());
    }
    selection.unclassified = classes_.back()->isChecked();
  }
  filter.zero_odp_only = zero_odp_->isChecked();
  filter.max_gwp = LimitIn(*max_gwp_.box);
  filter.max_discharge_pressure = LimitIn(*max_discharge_pressure_.box);
  filter.max_discharge_temperature = LimitIn(*max_discharge_temperature_.box);
  filter.min_evaporating_pressure = LimitIn(*min_evaporating_pressure_.box);
  return selection;
}

QString ScreeningFilters::Problem() const {
  QStringList problems;
  for (const Limit* limit : {&max_gwp_, &max_discharge_pressure_, &max_discharge_temperature_,
                             &min_evaporating_pressure_}) {
    const QString text = limit->box->text().trimmed();
    if (!text.isEmpty() && !LimitIn(*limit->box)) {
      problems << QStringLiteral("%1: \"%2\" is not a number, so it is not applied.")
                      .arg(limit->caption, text);
    }
  }
  return problems.join(QLatin1Char(' '));
}

}  // namespace forms
