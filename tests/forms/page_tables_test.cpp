// Every control of the pages' design tables, as the table gives it: kind,
// caption or default text, position and size (0.01 mm). The expected tables
// are data of their own (tests/data/page_tables.csv), written from the
// design, not from the program.
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextStream>

#include <optional>
#include <vector>

#include "program_under_test.h"

namespace forms_test {
namespace {

// One row of the table; a field left out (no quotes, nothing) is not given
// by the design and not checked, while "" is an empty text.
struct DesignRow {
  QString page, control, kind;
  std::optional<QString> caption;
  std::optional<int> left, top, width, height;
};

// The design's captions hold no commas: a row splits at every comma.
std::vector<std::optional<QString>> CsvFields(const QString& line) {
  std::vector<std::optional<QString>> fields;
  for (const QString& field : line.split(QLatin1Char(','))) {
    const bool quoted = field.size() >= 2 && field.startsWith('"') && field.endsWith('"');
    if (quoted) fields.emplace_back(field.mid(1, field.size() - 2));
    else fields.push_back(field.isEmpty() ? std::nullopt : std::optional(field));
  }
  return fields;
}

std::optional<int> Number(const std::optional<QString>& field) {
  if (!field) return std::nullopt;
  bool ok = false;
  const int value = field->toInt(&ok);
  EXPECT_TRUE(ok) << "not a number: " << field->toStdString();
  return value;
}

// "\r\n" in the design's captions stands for a line break.
QString Caption(const QString& design) { return QString(design).replace(QStringLiteral("\\r\\n"), "\n"); }

std::vector<DesignRow> DesignTables() {
  QFile file(QStringLiteral(HEATPUMP_TEST_DATA_DIR "/page_tables.csv"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << file.fileName().toStdString();
  QTextStream in(&file);
  in.readLine();  // the heading
  std::vector<DesignRow> rows;
  while (!in.atEnd()) {
    const auto f = CsvFields(in.readLine());
    if (f.size() != 8) {
      ADD_FAILURE() << "a row of " << f.size() << " fields";
      continue;
    }
    rows.push_back({f[0].value_or(""), f[1].value_or(""), f[2].value_or(""),
                    f[3] ? std::optional(Caption(*f[3])) : std::nullopt, Number(f[4]), Number(f[5]),
                    Number(f[6]), Number(f[7])});
  }
  return rows;
}

QString KindOf(const QWidget& control) {
  if (qobject_cast<const QLabel*>(&control)) return QStringLiteral("label");
  if (qobject_cast<const QLineEdit*>(&control)) return QStringLiteral("text box");
  if (qobject_cast<const QPlainTextEdit*>(&control)) return QStringLiteral("multi-line text box");
  if (qobject_cast<const QPushButton*>(&control)) return QStringLiteral("button");
  if (qobject_cast<const QComboBox*>(&control)) return QStringLiteral("combo box");
  if (control.isWindow()) return QStringLiteral("page");
  return QStringLiteral("picture");
}

QString CaptionOf(const QWidget& control) {
  if (const auto* label = qobject_cast<const QLabel*>(&control)) return label->text();
  if (const auto* box = qobject_cast<const QLineEdit*>(&control)) return box->text();
  if (const auto* button = qobject_cast<const QPushButton*>(&control)) return button->text();
  if (const auto* combo = qobject_cast<const QComboBox*>(&control)) return combo->currentText();
  if (const auto* text = qobject_cast<const QPlainTextEdit*>(&control)) return text->toPlainText();
  return {};
}

int Px(int design) {
  return qRound(design * QGuiApplication::primaryScreen()->logicalDotsPerInch() / 2540.0);
}

using PageTables = ProgramTest;

TEST_F(PageTables, EveryControlHasTheKindCaptionPlaceAndSizeOfItsDesign) {
  // The result pages build their text from a comparison; one refrigerant.
  results_.RefCount = 1;
  results_.RefName[0] = "R134a";
  const std::vector<DesignRow> rows = DesignTables();
  ASSERT_GT(rows.size(), 100u);
  for (const DesignRow& row : rows) {
    SCOPED_TRACE((row.page + "." + row.control).toStdString());
    QWidget& page = pages_.Load(row.page);
    QWidget* control = row.control.isEmpty() ? &page : page.findChild<QWidget*>(row.control);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(KindOf(*control), row.kind);
    if (row.caption) {
      EXPECT_EQ(CaptionOf(*control), *row.caption);
    }
    if (row.left) {
      EXPECT_EQ(control->x(), Px(*row.left));
    }
    if (row.top) {
      EXPECT_EQ(control->y(), Px(*row.top));
    }
    if (row.width) {
      EXPECT_EQ(control->width(), Px(*row.width));
    }
    if (row.height) {
      EXPECT_EQ(control->height(), Px(*row.height));
    }
  }
}

}  // namespace
}  // namespace forms_test
