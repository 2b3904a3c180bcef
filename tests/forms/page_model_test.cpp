// The page model on its own: states, loading on first use, unloading, and the
// end of the program.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include "forms/page_model.h"

namespace {

using forms::PageModel;
using forms::PageState;

// Two small pages: "A" with a text box whose design text is "design", and
// "B" whose button unloads B and then shows A, as the pages' handlers do.
class PageModelTest : public testing::Test {
 protected:
  PageModelTest() {
    pages_.Register("A", [] {
      auto page = std::make_unique<QWidget>();
      page->setFixedSize(120, 60);  // as every page of the program
      (new QLineEdit("design", page.get()))->setObjectName("box");
      return page;
    });
    pages_.Register("B", [this] {
      auto page = std::make_unique<QWidget>();
      auto* button = new QPushButton("go", page.get());
      button->setObjectName("go");
      QObject::connect(button, &QPushButton::clicked, [this] {
        pages_.Unload("B");
        pages_.Show("A");
      });
      return page;
    });
    QObject::connect(&pages_, &PageModel::LastPageUnloaded, [this] { ++ends_; });
  }

  QLineEdit& Box() { return *pages_.Load("A").findChild<QLineEdit*>("box"); }
  static void RunQueued() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  PageModel pages_;
  int ends_ = 0;
};

TEST_F(PageModelTest, PagesMoveBetweenTheThreeStates) {
  EXPECT_EQ(pages_.State("A"), PageState::NotLoaded);
  pages_.Load("A");
  EXPECT_EQ(pages_.State("A"), PageState::Hidden);
  pages_.Show("A");
  EXPECT_EQ(pages_.State("A"), PageState::Shown);
  EXPECT_TRUE(pages_.Load("A").isVisible());
  pages_.Hide("A");
  EXPECT_EQ(pages_.State("A"), PageState::Hidden);
  pages_.Unload("A");
  EXPECT_EQ(pages_.State("A"), PageState::NotLoaded);
  EXPECT_TRUE(pages_.LoadedPages().isEmpty());
}

TEST_F(PageModelTest, WritingToAnUnloadedPageLoadsItWithItsDesignTexts) {
  Box().setText("typed");
  EXPECT_EQ(pages_.State("A"), PageState::Hidden);
  EXPECT_EQ(pages_.Load("A").objectName(), "A");
  EXPECT_EQ(Box().text(), "typed");  // the same page, not a second one
}

TEST_F(PageModelTest, HidingKeepsTextsAndUnloadingLosesThem) {
  pages_.Show("A");
  Box().setText("typed");
  pages_.Hide("A");
  pages_.Show("A");
  EXPECT_EQ(Box().text(), "typed");
  pages_.Unload("A");
  EXPECT_EQ(Box().text(), "design");
}

TEST_F(PageModelTest, ProgramEndsWhenTheLastLoadedPageIsUnloaded) {
  pages_.Show("A");
  pages_.Load("B");  // loaded and hidden: keeps the program alive
  pages_.Unload("A");
  RunQueued();
  EXPECT_EQ(ends_, 0);
  pages_.Unload("B");
  EXPECT_EQ(ends_, 0);  // not before control is back in the event loop
  RunQueued();
  EXPECT_EQ(ends_, 1);
}

TEST_F(PageModelTest, AHandlerThatUnloadsItsOwnPageAndShowsAnotherDoesNotEndTheProgram) {
  pages_.Show("B");
  pages_.Load("B").findChild<QPushButton*>("go")->click();
  RunQueued();
  EXPECT_EQ(ends_, 0);
  EXPECT_EQ(pages_.State("B"), PageState::NotLoaded);
  EXPECT_EQ(pages_.State("A"), PageState::Shown);
}

TEST_F(PageModelTest, ClosingAnyWindowUnloadsEveryPageAndEndsTheProgram) {
  pages_.Load("A");  // hidden
  pages_.Show("B");
  pages_.Load("B").close();  // the window's own close control
  RunQueued();
  EXPECT_TRUE(pages_.LoadedPages().isEmpty());
  EXPECT_EQ(ends_, 1);
}

TEST_F(PageModelTest, TheNextPageTakesThePlaceOfThePreviousOne) {
  pages_.Show("B");
  QWidget& b = pages_.Load("B");
  b.resize(200, 100);
  b.move(300, 250);
  const QPoint centre = b.geometry().center();
  pages_.Load("B").findChild<QPushButton*>("go")->click();
  // Within the window frame, which the platform adds.
  EXPECT_LE((pages_.Load("A").geometry().center() - centre).manhattanLength(), 4);
}

TEST_F(PageModelTest, UnknownPageNamesAreAProgrammingError) {
  EXPECT_THROW(pages_.Load("Nowhere"), std::logic_error);
}

}  // namespace

// A large page that follows a small one in a corner of the screen takes the
// small one's place as far as the screen allows.
TEST(PageModelPlacement, ALargePageStaysOnTheScreen) {
  PageModel pages;
  pages.Register("small", [] {
    auto page = std::make_unique<QWidget>();
    page->setFixedSize(100, 80);
    return page;
  });
  pages.Register("large", [] {
    auto page = std::make_unique<QWidget>();
    page->resize(500, 400);
    return page;
  });
  QWidget& small = pages.Load("small");
  const QRect area = small.screen()->availableGeometry();
  pages.Show("small");  // the first page opens centred; the user moves it
  small.move(area.right() - 100, area.bottom() - 80);
  pages.Hide("small");
  pages.Show("large");
  const QRect placed = pages.Load("large").frameGeometry();
  EXPECT_TRUE(area.contains(placed))
      << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height() << " in "
      << area.x() << "," << area.y() << " " << area.width() << "x" << area.height();
  pages.UnloadAll();
}
