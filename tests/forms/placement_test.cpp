// Where the pages open: the first centred on the screen, every next one
// centred where the one before it was, frame and all within the screen.
#include <QScreen>

#include <cstdlib>

#include "program_under_test.h"

namespace forms_test {
namespace {

using forms::FramePlacement;

TEST(FramePlacement, CentresTheFrameAndKeepsItWithinTheArea) {
  const QRect screen(0, 0, 1280, 1024);
  const QRect below_panel(0, 30, 1280, 994);  // a panel across the top
  const QRect right_screen(1280, 0, 1024, 768);
  const struct {
    const char* what;
    QPoint centre;
    QSize frame;
    QRect area;
    QPoint top_left;
  } cases[] = {
      {"centred", {640, 512}, {200, 100}, screen, {541, 463}},
      {"odd size centred", {640, 512}, {201, 101}, screen, {540, 462}},
      {"past the right edge", {1250, 512}, {200, 100}, screen, {1080, 463}},
      {"past the bottom", {640, 1000}, {200, 100}, screen, {541, 924}},
      {"past the top-left corner", {10, 10}, {200, 100}, screen, {0, 0}},
      {"under the panel", {640, 40}, {200, 100}, below_panel, {541, 30}},
      {"exactly the area", {640, 512}, {1280, 1024}, screen, {0, 0}},
      {"larger than the area", {640, 512}, {1400, 1100}, screen, {0, 0}},
      {"larger, below the panel", {900, 900}, {1400, 1100}, below_panel, {0, 30}},
      {"on a second screen", {1300, 700}, {300, 200}, right_screen, {1280, 568}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QRect placed = FramePlacement(c.centre, c.frame, c.area);
    EXPECT_EQ(placed.topLeft(), c.top_left);
    EXPECT_EQ(placed.size(), c.frame);
    if (c.frame.width() <= c.area.width() && c.frame.height() <= c.area.height()) {
      EXPECT_TRUE(c.area.contains(placed));
    }
  }
}

using Placement = ProgramTest;

QRect Frame(forms::PageModel& pages, const QString& name) { return pages.Load(name).frameGeometry(); }

// Centred as far as its frame is known before it is first shown: within the
// frame's margins.
TEST_F(Placement, TheStartPageOpensCentredOnTheScreen) {
  Start();
  QWidget& start = pages_.Load(page::FristPage);
  const QRect area = start.screen()->availableGeometry();
  const QPoint off = start.frameGeometry().center() - area.center();
  const QSize margins = start.frameGeometry().size() - start.size();
  EXPECT_LE(std::abs(off.x()), margins.width() / 2 + 1) << off.x();
  EXPECT_LE(std::abs(off.y()), margins.height() / 2 + 1) << off.y();
}

// A page larger than the screen opens at the screen's top-left corner, not
// beyond it.
TEST_F(Placement, APageLargerThanTheScreenOpensAtItsCorner) {
  pages_.Register("huge", [] {
    auto page = std::make_unique<QWidget>();
    page->setFixedSize(4000, 3000);
    return page;
  });
  Start();
  Click(page::FristPage, "CommandButton1");  // the start page's place is known
  pages_.Unload(page::SelectSim);
  pages_.Show("huge");
  const QRect area = pages_.Load("huge").screen()->availableGeometry();
  EXPECT_EQ(Frame(pages_, "huge").topLeft(), area.topLeft());
}

// Stepping through the result pages many times leaves every page where the
// first one opened.
TEST_F(Placement, PagesStayPutThroughManyPageChanges) {
  results_.RefCount = 1;
  results_.RefName[0] = "R134a";
  const QString sequence[] = {page::UserForm5_G, page::UserForm8_G, page::UserForm6_G,
                              page::UserForm7_G, page::UserForm9_G, page::UserForm10_G,
                              page::UserForm3_G};
  pages_.Show(page::UserForm5_G);
  ProcessEvents();
  const QRect first = Frame(pages_, page::UserForm5_G);
  for (int round = 0; round < 5; ++round) {
    for (const QString& name : sequence) {
      SCOPED_TRACE(name.toStdString());
      ASSERT_EQ(ShownPage(), name);
      EXPECT_EQ(Frame(pages_, name), first);
      if (name != page::UserForm3_G) Click(name, "CommandButton2");  // Next
    }
    for (int step = 0; step < 6; ++step) Click(ShownPage(), "CommandButton3");  // Back
  }
}

}  // namespace
}  // namespace forms_test
