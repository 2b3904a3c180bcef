// The cycle layouts' form: the menu's button, the calculation's defaults and
// refusals, the layout's schematic, Clear Data, Back and the keys.
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRegularExpression>

#include "layouts_fixture.h"
#include "report/layout_tables.h"

namespace forms_test {
namespace {

using LayoutsForm = LayoutsTest;

TEST_F(LayoutsForm, TheMenuButtonLiesInTheMenusFreeSpaceAndOpensTheForm) {
  Start();
  Click(page::FristPage, "CommandButton1");
  QWidget& menu = pages_.Load(page::SelectSim);
  auto& button = On<QPushButton>(page::SelectSim, "CycleLayouts");
  EXPECT_EQ(button.text(), "Cycle Layouts");
  EXPECT_TRUE(menu.rect().contains(button.geometry())) << "inside the page";
  EXPECT_GE(button.width(), button.sizeHint().width()) << "its caption whole";
  const QRect back = On<QPushButton>(page::SelectSim, "CommandButton4").geometry();
  EXPECT_EQ(button.geometry().right(), back.right()) << "in the menu's column, beside Transcritical";
  for (QWidget* other : menu.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (other == &button) continue;
    EXPECT_FALSE(other->geometry().intersects(button.geometry()))
        << "overlaps " << other->objectName().toStdString();
  }
  Click(page::SelectSim, "CycleLayouts");
  EXPECT_EQ(LoadedPages(), QStringList{kLayoutsForm});
  EXPECT_EQ(ShownPage(), kLayoutsForm);
}

TEST_F(LayoutsForm, TheFieldsHoldTheCalculationsDefaultsUnderTheReportsLabels) {
  OpenLayoutsForm();
  const LayoutInput defaults;
  const report::LabelledValues labels = report::LayoutInputs(defaults);
  ASSERT_EQ(std::size(kLayoutFields), labels.size()) << "a field for every input";
  EXPECT_EQ(pages_.Load(kLayoutsForm).findChildren<QLineEdit*>().size(), qsizetype(labels.size()));
  for (std::size_t k = 0; k < labels.size(); ++k) {
    const LayoutField& field = kLayoutFields[k];
    SCOPED_TRACE(field.name);
    const QLineEdit& box = On<QLineEdit>(kLayoutsForm, field.name);
    EXPECT_EQ(box.text().toStdString(), defaults.*field.member);
    EXPECT_TRUE(On<QLabel>(kLayoutsForm, QStringLiteral("%1Caption").arg(field.name))
                    .text()
                    .startsWith(QString::fromStdString(labels[k].label)));
    // A blank default says what it stands for.
    if (box.text().isEmpty()) {
      EXPECT_EQ(box.placeholderText().toStdString(), labels[k].value);
    }
  }
  EXPECT_TRUE(On<QRadioButton>(kLayoutsForm, ChoiceOf(Layout::basic)).isChecked());
  QWidget& form = pages_.Load(kLayoutsForm);
  EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "a fixed page";
}

// Each row changes one field (and the layout) to what the calculation
// refuses; the form must show the calculation's own message for it, so a
// field wired to the wrong input, or the wrong layout, shows another one.
struct Refusal {
  Layout layout;
  const char* field;
  const char* text;
};
const Refusal kRefusals[] = {
    {Layout::basic, "Refrigerant", "NoSuchFluid"},
    {Layout::basic, "Capacity", "kW"},
    {Layout::basic, "Evaporating", "95"},
    {Layout::basic, "Condensing", "200"},
    {Layout::ihx, "Subcooling", "20"},
    {Layout::ihx, "Superheating", "warm"},
    {Layout::ihx, "Safety", "0"},
    {Layout::ihx, "Efficiency", "150"},
    {Layout::ihx, "IhxEffectiveness", "120"},
    {Layout::economizer, "Intermediate", "high"},
    {Layout::economizer, "Intermediate", "40"},  // above the condensing pressure
    {Layout::economizer, "InjectionSuperheat", "-1"},
    {Layout::economizer, "Approach", "-2"},
    {Layout::flash_tank, "Source", "cold"},
    {Layout::flash_tank, "Sink", "40"},            // below the source
    {Layout::flash_tank, "Refrigerant", "R450A"},  // a blend parts in a flash tank
};

TEST_F(LayoutsForm, ARefusalShowsTheCalculationsMessageAndKeepsTheTexts) {
  OpenLayoutsForm();
  for (const Refusal& row : kRefusals) {
    SCOPED_TRACE(std::string(row.field) + " = " + row.text);
    LayoutInput input;
    for (const LayoutField& field : kLayoutFields) {
      if (QLatin1String(field.name) == QLatin1String(row.field)) input.*field.member = row.text;
      SetText(kLayoutsForm, field.name, QString::fromStdString(input.*field.member));
    }
    Choose(row.layout);
    const cycle::LayoutOutcome outcome = cycle::CalcLayout(row.layout, input);
    ASSERT_NE(outcome.refusal(), nullptr) << "not refused";
    const auto before = Fields();
    Click(kLayoutsForm, "Calculate");
    EXPECT_EQ(TakeMessages(), QStringList{QString::fromStdString(outcome.refusal()->message)});
    EXPECT_EQ(Fields(), before);
    EXPECT_TRUE(On<QRadioButton>(kLayoutsForm, ChoiceOf(row.layout)).isChecked());
    EXPECT_EQ(ShownPage(), kLayoutsForm);
    EXPECT_EQ(pages_.State(kLayoutResults), forms::PageState::NotLoaded);
  }
}

// Records what a widget writes where, in its own pixels.
class TextRecorder : public QPaintDevice, public QPaintEngine {
 public:
  struct Written {
    QString text;
    QPointF at;
  };
  explicit TextRecorder(QSize size) : size_(size) {}

  std::vector<Written> Record(QWidget& widget) {
    written_.clear();
    widget.render(this);
    return written_;
  }

  QPaintEngine* paintEngine() const override { return const_cast<TextRecorder*>(this); }
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }
  void updateState(const QPaintEngineState& state) override {
    if (state.state() & DirtyTransform) transform_ = state.transform();
  }
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  // The shapes are not recorded (QPaintEngine's overloads call each other).
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawTextItem(const QPointF& at, const QTextItem& item) override {
    written_.push_back({item.text(), transform_.map(at)});
  }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return size_.width();
      case PdmHeight:
        return size_.height();
      case PdmDepth:
        return 32;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 96;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
      default:
        return 0;
    }
  }

 private:
  QSize size_;
  QTransform transform_;
  std::vector<Written> written_;
};

// The name of the component only that layout has.
struct SchematicRow {
  Layout layout;
  const char* component;
};
const SchematicRow kSchematics[] = {
    {Layout::economizer, "Economizer"},
    {Layout::ihx, "exchanger"},
    {Layout::flash_tank, "Flash tank"},
    {Layout::basic, nullptr},
};
const char* const kOwnComponents[] = {"Economizer", "exchanger", "Flash tank"};

// The schematic's numbers are the calculation's: every state but the ends of
// the ideal compressions (2s, 8s), each written once, apart from the others.
TEST_F(LayoutsForm, TheChoiceShowsTheSchematicOfItsLayoutWithTheCalculationsStates) {
  OpenLayoutsForm();
  auto& schematic = On<QWidget>(kLayoutsForm, "Schematic");
  TextRecorder recorder(schematic.size());
  const QRegularExpression number(QStringLiteral("^\\d'?$"));
  for (const SchematicRow& row : kSchematics) {
    SCOPED_TRACE(std::string(cycle::LayoutName(row.layout)));
    Choose(row.layout);
    QStringList states;
    for (const cycle::LayoutState& state : ResultOf(row.layout, {}).states)
      if (!state.name.ends_with('s')) states << QString::fromStdString(state.name);
    QStringList numbers, words;
    std::vector<QPointF> places;
    for (const auto& [text, at] : recorder.Record(schematic)) {
      if (!number.match(text).hasMatch()) {
        words << text;
        continue;
      }
      numbers << text;
      EXPECT_TRUE(QRectF(schematic.rect()).contains(at)) << text.toStdString();
      for (const QPointF& other : places)
        EXPECT_GT(QLineF(at, other).length(), 12) << text.toStdString() << " on another number";
      places.push_back(at);
    }
    numbers.sort();
    states.sort();
    EXPECT_EQ(numbers, states);
    const QString drawn = words.join(' ');
    for (const char* component : kOwnComponents)
      EXPECT_EQ(drawn.contains(component),
                row.component != nullptr && std::string_view(row.component) == component)
          << component << " in " << drawn.toStdString();
  }
}

TEST_F(LayoutsForm, ClearDataEmptiesEveryFieldAndAnEmptyFormIsRefused) {
  OpenLayoutsForm();
  Choose(Layout::economizer);
  Click(kLayoutsForm, "ClearData");
  for (const LayoutField& field : kLayoutFields)
    EXPECT_EQ(Text(kLayoutsForm, field.name), "") << field.name;
  EXPECT_TRUE(On<QRadioButton>(kLayoutsForm, ChoiceOf(Layout::economizer)).isChecked());
  Click(kLayoutsForm, "Calculate");
  EXPECT_EQ(TakeMessages(), QStringList{"Please Input Refrigerant"});
  EXPECT_EQ(ShownPage(), kLayoutsForm);
}

TEST_F(LayoutsForm, BackLeadsToTheMenuAndTheFormReopensWithItsDefaults) {
  OpenLayoutsForm();
  SetText(kLayoutsForm, "Evaporating", "0");
  Choose(Layout::flash_tank);
  Click(kLayoutsForm, "Back");
  EXPECT_EQ(LoadedPages(), QStringList{page::SelectSim});
  Click(page::SelectSim, "CycleLayouts");
  EXPECT_EQ(Text(kLayoutsForm, "Evaporating").toStdString(), LayoutInput{}.Evaporating);
  EXPECT_TRUE(On<QRadioButton>(kLayoutsForm, ChoiceOf(Layout::basic)).isChecked());
}

TEST_F(LayoutsForm, ReturnCalculatesAndEscapeGoesBackToTheMenu) {
  OpenLayoutsForm();
  SetText(kLayoutsForm, "Efficiency", "0");
  const cycle::LayoutOutcome outcome = cycle::CalcLayout(Layout::basic, {.Efficiency = "0"});
  ASSERT_NE(outcome.refusal(), nullptr);
  Press(kLayoutsForm, Qt::Key_Return);
  EXPECT_EQ(TakeMessages(), QStringList{QString::fromStdString(outcome.refusal()->message)});
  Press(kLayoutsForm, Qt::Key_Escape);
  EXPECT_EQ(ShownPage(), page::SelectSim);
}

}  // namespace
}  // namespace forms_test
