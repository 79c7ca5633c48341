// The window's prefix selector over a home with a second prefix: the choice decides what a scan
// searches, and is saved at close and shown again at the next start.
#include <QMetaObject>
#include <algorithm>

#include "window_fixture.h"

namespace zendrift::testing {
namespace {

class PrefixSelectorTest : public WindowTest {
 protected:
  PrefixSelectorTest() : home_("HOME", dir_.str().c_str()), bottle_(dir_.path() / ".local/share/bottles/bottles/Gaming") {
    bottle_.standardLayout("ann");
    writeSettings("[Directories]\nStartMenu=0\nAllUsersStartMenu=0\nDesktop=1\nAllUsersDeskTop=1\nFavorites=0\n"
                  "History=0\nRecent=0\n");
  }

  ScopedEnv home_;
  WinePrefixBuilder bottle_;
};

TEST_F(PrefixSelectorTest, TheChosenPrefixIsScannedAndTheChoiceIsSaved) {
  const fs::path inDefault = orphan(desktop(), "default");
  const fs::path inBottle = orphan(bottle_.path() / "drive_c/users/ann/Desktop", "bottle");
  const std::string bottle = fs::canonical(bottle_.path()).string();

  auto form = createForm();
  ASSERT_NE(form->prefixSelector(), nullptr);
  ASSERT_EQ(form->prefixSelector()->count(), 3);
  EXPECT_EQ(form->prefixSelector()->currentIndex(), 0);
  EXPECT_EQ(form->prefixSelector()->itemText(0).toStdString(),
            "prefix (wine): " + fs::canonical(prefix_.path()).string());
  EXPECT_EQ(form->prefixSelector()->itemText(1).toStdString(), "Gaming (bottles): " + bottle);
  EXPECT_EQ(form->prefixSelector()->itemText(2).toStdString(), "All prefixes");
  const QRect title = bannerTitle(*form)->geometry();
  const QRect selector = form->prefixSelector()->geometry();
  EXPECT_TRUE(selector.left() > title.right() && selector.bottom() < scanHintLabel(*form)->y() &&
              selector.right() < logo(*form)->x())
      << "beside the title, clear of the hints and the logo";

  form->controller().scanClicked();
  waitIdle(*form);
  EXPECT_EQ(records(*form), std::vector<std::string>{inDefault.string()});

  form->prefixSelector()->setCurrentIndex(1);
  EXPECT_EQ(desktopBox(*form)->toolTip().toStdString(),
            bottle + "/drive_c/users/ann/Desktop\n" + bottle + "/drive_c/users/Public/Desktop");
  form->controller().scanClicked();
  waitIdle(*form);
  EXPECT_EQ(records(*form), std::vector<std::string>{fs::canonical(inBottle).string()});

  // With every prefix, the status line names the one being searched after the folder.
  std::vector<std::string> statuses;
  form->controller().setWalkObserver([&form, &statuses](const std::string&) {
    QMetaObject::invokeMethod(
        form.get(), [&] { statuses.push_back(statusLabel(*form)->text().toStdString()); },
        Qt::BlockingQueuedConnection);
  });
  form->prefixSelector()->setCurrentIndex(2);
  form->controller().scanClicked();
  waitIdle(*form);
  form->controller().setWalkObserver({});
  EXPECT_EQ(records(*form).size(), 2u);
  const std::string bottleStatus = "Scanning for orphans in " + bottle + "/drive_c/users/ann/Desktop (Gaming)";
  // Orphans found in the prefixes before it are counted after it.
  EXPECT_NE(std::find_if(statuses.begin(), statuses.end(),
                         [&](const std::string& status) { return status.starts_with(bottleStatus); }),
            statuses.end())
      << statuses.size();
  EXPECT_TRUE(form->close());
  EXPECT_NE(readFile(settingsFile()).find("\nPrefix=*\n"), std::string::npos);

  // The next start shows the saved choice; a prefix saved by path comes first.
  options_ = {};
  form = createForm();
  EXPECT_EQ(form->prefixSelector()->currentIndex(), 2);
  form->prefixSelector()->setCurrentIndex(1);
  EXPECT_TRUE(form->close());
  options_ = {};
  form = createForm();
  EXPECT_EQ(form->prefixSelector()->currentIndex(), 0);
  EXPECT_EQ(form->prefixSelector()->itemText(0).toStdString(), "Gaming (bottles): " + bottle);
}

}  // namespace
}  // namespace zendrift::testing
