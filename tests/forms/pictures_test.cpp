// The picture page: both pictures are drawn, and the Back button lies over the
// lower right corner of the schematic.
#include <QImage>

#include "program_under_test.h"

namespace forms_test {
namespace {

// Pixels that are clearly coloured (the pipes, markers and cycle lines).
int ColouredPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 80)
        ++count;
    }
  return count;
}

using Pictures = ProgramTest;

TEST_F(Pictures, BothPicturesAreDrawnOneAboveTheOther) {
  // The lower picture is the diagram of the calculation on the results page.
  CalculateBasicDefaults();
  Click(page::UserForm2, "CommandButton3");
  QWidget& page = pages_.Load(page::UserForm13);
  auto* schematic = page.findChild<QWidget*>("Image1");
  auto* diagram = page.findChild<QWidget*>("Image2");
  ASSERT_TRUE(schematic != nullptr && diagram != nullptr);
  EXPECT_EQ(schematic->geometry().top(), 0);
  EXPECT_EQ(diagram->geometry().top(), schematic->geometry().bottom() + 1);
  for (QWidget* picture : {schematic, diagram}) {
    const QImage image = picture->grab().toImage();
    EXPECT_GT(ColouredPixels(image), image.width() * image.height() / 100)
        << picture->objectName().toStdString() << " looks blank";
  }
  const QRect back = On<QPushButton>(page::UserForm13, "CommandButton2").geometry();
  EXPECT_EQ(back.right(), schematic->geometry().right());
  EXPECT_EQ(back.bottom(), schematic->geometry().bottom());
  EXPECT_EQ(page.childAt(back.center()), &On<QPushButton>(page::UserForm13, "CommandButton2"));
}

}  // namespace
}  // namespace forms_test
