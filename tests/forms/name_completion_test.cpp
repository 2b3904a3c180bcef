// The refrigerant boxes of both forms complete names as they are typed: the
// suggestions, their order, choosing one, and free text checked as before.
#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QTest>
#include <QWindow>

#include <set>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "cycle/basic_cycle.h"

#include "program_under_test.h"

namespace forms_test {
namespace {

enum Column { kName, kCritical, kSafetyClass, kOtherNames };

class NameCompletion : public ProgramTest {
 protected:
  QLineEdit& BasicBox() { return On<QLineEdit>(page::UserForm1, "Refrigerant"); }
  QLineEdit& ComparisonBox(int k) {
    return On<QLineEdit>(page::UserForm4, QStringLiteral("Refrigerant%1").arg(k));
  }
  void ShowNameBoxes(int n) {
    On<QComboBox>(page::UserForm4, "NumberRefrigerant").setCurrentIndex(n - 1);
  }

  static QCompleter& CompleterOf(QLineEdit& box) {
    auto* completer = box.findChild<QCompleter*>();
    if (completer == nullptr) throw std::runtime_error("no completer on " + box.objectName().toStdString());
    return *completer;
  }
  static QAbstractItemView& Popup(QLineEdit& box) { return *CompleterOf(box).popup(); }

  // Types into an emptied box key by key, as a user does.
  static void Type(QLineEdit& box, const QString& text) {
    box.clear();
    QTest::keyClicks(&box, text);
  }

  // The suggestions shown, one column of them.
  static QStringList Suggestions(QLineEdit& box, Column column = kName) {
    const QAbstractItemModel& model = *Popup(box).model();
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) texts << model.index(row, column).data().toString();
    return texts;
  }
  // The texts of the suggestion for a name: name, critical temperature, class.
  static QStringList Row(QLineEdit& box, const QString& name) {
    const QAbstractItemModel& model = *Popup(box).model();
    for (int row = 0; row < model.rowCount(); ++row) {
      if (model.index(row, kName).data().toString() != name) continue;
      return {name, model.index(row, kCritical).data().toString(),
              model.index(row, kSafetyClass).data().toString()};
    }
    return {};
  }
};

TEST_F(NameCompletion, TypingPartOfANameOffersItWithCriticalTemperatureAndSafetyClass) {
  OpenBasicForm();
  Type(BasicBox(), "r1233");
  EXPECT_TRUE(Popup(BasicBox()).isVisible());
  EXPECT_EQ(Row(BasicBox(), "R1233zd(E)"),
            (QStringList{"R1233zd(E)", "Tc 165.71 'C", "safety class A1"}));
  // Wide enough for its three columns, and no wider on the next key.
  const int width = Popup(BasicBox()).width();
  EXPECT_GT(width, 2 * BasicBox().width());
  Type(BasicBox(), "r1233");
  EXPECT_EQ(Popup(BasicBox()).width(), width);
  // Blends and aliases are offered too.
  Type(BasicBox(), "R410");
  EXPECT_EQ(Row(BasicBox(), "R410A"), (QStringList{"R410A", "Tc 71.34 'C", "safety class A1"}));
  Type(BasicBox(), "r29");
  EXPECT_EQ(Row(BasicBox(), "R290"), (QStringList{"R290", "Tc 96.74 'C", "safety class A3"}));
}

// Each row: what is typed, and the names that must be offered first.
struct Offer {
  const char* typed;
  QStringList first;
};

TEST_F(NameCompletion, NamesStartingWithTheTextComeFirstThenThoseContainingIt) {
  const Offer offers[] = {
      {"R1233zd", {"R1233zd(E)"}},
      {"PROPANE", {"Propane"}},
      {"butane", {"butane"}},
      {"407c", {}},
  };
  OpenBasicForm();
  for (const Offer& offer : offers) {
    Type(BasicBox(), offer.typed);
    const QStringList names = Suggestions(BasicBox());
    ASSERT_FALSE(names.isEmpty()) << offer.typed;
    EXPECT_EQ(names.mid(0, offer.first.size()), offer.first) << offer.typed;
    bool starting = true;
    for (const QString& name : names) {
      EXPECT_TRUE(name.contains(offer.typed, Qt::CaseInsensitive)) << offer.typed << ": " << name.toStdString();
      const bool starts = name.startsWith(offer.typed, Qt::CaseInsensitive);
      EXPECT_FALSE(starts && !starting) << offer.typed << ": " << name.toStdString() << " after a name containing it";
      starting = starts;
    }
  }
  Type(BasicBox(), "CycloPropane");
  EXPECT_TRUE(Suggestions(BasicBox()).contains("CycloPropane"));
  Type(BasicBox(), "propane");
  EXPECT_TRUE(Suggestions(BasicBox()).contains("CycloPropane")) << "a name containing the text";
}

// Each row: what is typed, and every suggestion as name and other names.
struct Folded {
  const char* typed;
  std::vector<QStringList> rows;
};

TEST_F(NameCompletion, EachFluidOnceUnderTheNameThatHoldsTheTextWithItsOtherNames) {
  const Folded cases[] = {
      {"R1234ze",
       {{"R1234ze(E)", "also R1234ZE, R1234zeE"}, {"R1234ze(Z)", "also R1234zeZ"}}},
      {"r1234zee", {{"R1234zeE", "also R1234ze(E), R1234ZE"}}},
      {"r290", {{"R290", "also n-Propane, Propane, C3H8, NC3H8, n-C3H8"}}},
      {"nh3", {{"NH3", "also Ammonia, R717"}}},
      {"propane",
       {{"Propane", "also n-Propane, R290, C3H8, NC3H8, n-C3H8"},
        {"1,2-Propanediol", "also PropyleneGlycol, PGLYCOL, PG"},
        {"CycloPropane", "also RC270"}}},
      {"r407c", {{"R407C", ""}}},
  };
  OpenBasicForm();
  for (const Folded& c : cases) {
    Type(BasicBox(), c.typed);
    const QStringList names = Suggestions(BasicBox()), others = Suggestions(BasicBox(), kOtherNames);
    std::vector<QStringList> rows;
    for (qsizetype i = 0; i < names.size(); ++i) rows.push_back({names[i], others[i]});
    EXPECT_EQ(rows, c.rows) << c.typed;
  }
  // However broad the text, no name stands in two suggestions.
  for (const char* typed : {"r", "e", "1"}) {
    Type(BasicBox(), typed);
    const QStringList names = Suggestions(BasicBox()), others = Suggestions(BasicBox(), kOtherNames);
    ASSERT_GT(names.size(), 50) << typed;
    std::set<QString> seen;
    for (qsizetype i = 0; i < names.size(); ++i) {
      QStringList all = others[i].mid(5).split(", ", Qt::SkipEmptyParts);  // after "also "
      all << names[i];
      for (const QString& name : all) {
        EXPECT_TRUE(seen.insert(name.toLower()).second) << typed << ": " << name.toStdString();
      }
    }
  }
}

TEST_F(NameCompletion, NoSuggestionsForAnEmptyBoxOrTextNoNameHolds) {
  OpenBasicForm();
  EXPECT_EQ(CompleterOf(BasicBox()).completionModel()->rowCount(), 0)
      << "names are listed when the box is first edited, not when the form opens";
  for (const QString& typed : {QStringLiteral("zz9"), QStringLiteral("   ")}) {
    Type(BasicBox(), typed);
    EXPECT_FALSE(Popup(BasicBox()).isVisible()) << typed.toStdString();
    EXPECT_EQ(BasicBox().text(), typed);
  }
}

TEST_F(NameCompletion, ChoosingPutsTheBareNameWhichCalculates) {
  OpenBasicForm();
  Type(BasicBox(), "r1233");
  QAbstractItemView& popup = Popup(BasicBox());
  ASSERT_TRUE(popup.isVisible());
  QTest::keyClick(&popup, Qt::Key_Down);
  QTest::keyClick(&popup, Qt::Key_Return);
  EXPECT_FALSE(popup.isVisible());
  EXPECT_EQ(BasicBox().text(), "R1233zd(E)");
  SetText(page::UserForm1, "TemperatureCondensing", "80");
  Click(page::UserForm1, "CommandButton2");
  EXPECT_EQ(TakeMessages(), QStringList());
  EXPECT_EQ(ShownPage(), page::UserForm2);
}

TEST_F(NameCompletion, FreeTextIsKeptAndCheckedAsBefore) {
  OpenBasicForm();
  Type(BasicBox(), "R1233zd");
  EXPECT_TRUE(Popup(BasicBox()).isVisible());
  Click(page::UserForm1, "CommandButton2");
  cycle::BasicCycleInput input{"R1233zd", 1, 50, 3.5, 4, 90, 100, 80};
  const auto outcome = cycle::CalcBasicCycle(input);
  ASSERT_TRUE(std::holds_alternative<std::string>(outcome));
  EXPECT_EQ(TakeMessages(), QStringList{QString::fromStdString(std::get<std::string>(outcome))});
  EXPECT_EQ(BasicBox().text(), "R1233zd");
  EXPECT_EQ(ShownPage(), page::UserForm1);
}

// A click goes through the window as the window system delivers it, so
// that the open list sees it first.
void ClickThroughWindow(QWidget& control) {
  QWidget& form = *control.window();
  QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {},
                    control.mapTo(&form, control.rect().center()));
}

TEST_F(NameCompletion, AClickIntoAnotherBoxWhileTheListIsOpenTypesThere) {
  OpenBasicForm();
  QWidget& form = pages_.Load(page::UserForm1);
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QLineEdit& condensing = On<QLineEdit>(page::UserForm1, "TemperatureCondensing");
  QLineEdit& flow = On<QLineEdit>(page::UserForm1, "Massflowrate");
  for (QLineEdit* other : {&condensing, &flow}) {
    SCOPED_TRACE(other->objectName().toStdString());
    const QString before = other->text();
    BasicBox().setFocus();
    Type(BasicBox(), "R407C");
    ProcessEvents();  // the list is shown and, on some platforms, active
    ASSERT_TRUE(Popup(BasicBox()).isVisible());
    ClickThroughWindow(*other);
    EXPECT_FALSE(Popup(BasicBox()).isVisible());
    ProcessEvents();
    EXPECT_EQ(QApplication::focusWidget(), other);
    QTest::keyClick(other->window()->windowHandle(), Qt::Key_End);
    QTest::keyClick(other->window()->windowHandle(), '5');
    EXPECT_EQ(BasicBox().text(), "R407C");
    EXPECT_EQ(other->text(), before + "5");
  }
}

TEST_F(NameCompletion, EveryNameBoxOfTheComparisonCompletesAndFreeTextIsChecked) {
  OpenComparisonForm();
  ShowNameBoxes(8);
  for (int k = 1; k <= 8; ++k) {
    Type(ComparisonBox(k), "r1233");
    EXPECT_TRUE(Suggestions(ComparisonBox(k)).contains("R1233zd(E)")) << "box " << k;
    Popup(ComparisonBox(k)).hide();
  }
  ShowNameBoxes(1);
  Type(ComparisonBox(1), "R1233zd");
  Click(page::UserForm4, "Calculate");
  EXPECT_EQ(TakeMessages(),
            QStringList{"Incorrect name or check the critical temperature of refrigerant1"});
  EXPECT_EQ(ComparisonBox(1).text(), "R1233zd");
}

}  // namespace
}  // namespace forms_test
