// The screening page's filters: kind, safety classes, highest GWP, ODP zero
// only, highest discharge pressure and temperature, lowest evaporating
// pressure. An empty limit is no limit. The lowest evaporating pressure is
// 1 bar until cleared, so that fluids that would evaporate in a vacuum
// (the glycols at 0.00 bar, with the best COPs) do not top the list.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <vector>

#include "cycle/screening.h"

namespace forms {

inline constexpr double kDefaultLowestEvaporatingPressure = 1;  // bar

class ScreeningFilters : public QWidget {
  Q_OBJECT

 public:
  explicit ScreeningFilters(QWidget* parent = nullptr);

  // What the filters let through. Fluids without a safety class on record
  // pass a choice of classes only where "unknown" is ticked as well.
  cycle::ScreeningFilter Selection() const;
  // Why a limit that is typed is not applied ("" when every one is).
  QString Problem() const;

 signals:
  void Changed();

 private:
  struct Limit {
    QString caption;
    QLineEdit* box;
  };

  QComboBox* kind_;
  std::vector<QCheckBox*> classes_;  // the last one: no class on record
  QCheckBox* zero_odp_;
  Limit max_gwp_, max_discharge_pressure_, max_discharge_temperature_, min_evaporating_pressure_;
};

}  // namespace forms
