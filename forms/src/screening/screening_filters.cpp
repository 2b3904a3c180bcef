#include "screening/screening_filters.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <string_view>

#include "cycle/number_text.h"

namespace forms {

namespace {

enum KindChoice { kAllKinds, kPureOnly, kBlendsOnly };

// A limit as typed; nothing when the box is empty or holds no number.
std::optional<double> LimitIn(const QLineEdit& box) {
  return cycle::WholeNumber(box.text().toStdString());
}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

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
  for (const std::string_view name : cycle::kSafetyClasses) classes << Latin1(name);
  classes << Latin1(cycle::kNoSafetyClass);
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
  min_evaporating_pressure_.box->setText(QString::fromStdString(
      cycle::FormatShortest(kDefaultLowestEvaporatingPressure)));
  limits->addStretch();
  max_discharge_pressure_ = add_limit(*figures, QStringLiteral("MaxDischargePressure"),
                                      QStringLiteral("Highest discharge pressure (bar)"));
  max_discharge_temperature_ = add_limit(*figures, QStringLiteral("MaxDischargeTemperature"),
                                         QStringLiteral("Highest discharge temperature ('C)"));
  figures->addStretch();

  connect(kind_, &QComboBox::currentIndexChanged, this, &ScreeningFilters::Changed);
  connect(zero_odp_, &QCheckBox::toggled, this, &ScreeningFilters::Changed);
}

cycle::ScreeningFilter ScreeningFilters::Selection() const {
  cycle::ScreeningFilter filter;
  if (kind_->currentIndex() == kPureOnly) filter.kind = cycle::FluidKind::pure;
  if (kind_->currentIndex() == kBlendsOnly) filter.kind = cycle::FluidKind::blend;
  // All ticked: no choice of classes, so fluids of any class or none pass.
  const bool all = std::all_of(classes_.begin(), classes_.end(),
                               [](const QCheckBox* box) { return box->isChecked(); });
  if (!all) {
    filter.safety_classes.emplace();
    for (const QCheckBox* box : classes_) {
      if (box->isChecked()) filter.safety_classes->insert(box->text().toStdString());
    }
  }
  filter.zero_odp_only = zero_odp_->isChecked();
  filter.max_gwp = LimitIn(*max_gwp_.box);
  filter.max_discharge_pressure = LimitIn(*max_discharge_pressure_.box);
  filter.max_discharge_temperature = LimitIn(*max_discharge_temperature_.box);
  filter.min_evaporating_pressure = LimitIn(*min_evaporating_pressure_.box);
  return filter;
}

QString ScreeningFilters::Problem() const {
  QStringList problems;
  for (const Limit* limit : {&max_gwp_, &max_discharge_pressure_, &max_discharge_temperature_,
                             &min_evaporating_pressure_}) {
    const QString text = limit->box->text().trimmed();
    if (!text.isEmpty() && !LimitIn(*limit->box)) {
      problems << QString::fromStdString(
                      cycle::NumberRefusal(limit->caption.toStdString(), text.toStdString())) +
                      QStringLiteral(", so it is not applied.");
    }
  }
  return problems.join(QLatin1Char(' '));
}

}  // namespace forms
