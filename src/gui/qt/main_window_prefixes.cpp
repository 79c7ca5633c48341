// The window's prefix selector: which Wine prefix a scan works on, or every one in turn.
#include "gui/qt/main_window.h"

#include "platform/path.h"
#include "profile/prefix_discovery.h"

namespace zendrift::app {

namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void MainWindow::createPrefixSelector() {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Windows) return;
  // Beside the title, clear of the hints below it and of the logo: no control moves for it.
  prefixSelector = new QComboBox(bannerPanel);
  const int left = bannerTitle->x() + bannerTitle->width() + 12;
  prefixSelector->setGeometry(left, 3, logo->x() - 8 - left, 19);
  prefixSelector->setToolTip("The Wine prefix to scan for orphaned shortcuts.");
  prefixSelector->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  connect(prefixSelector, &QComboBox::currentIndexChanged, this, [this] {
    prefixSelectorToOptions();
    showFolderHints();
  });
}

void MainWindow::fillPrefixSelector() {
  if (!prefixSelector) return;
  const platform::PrefixPlaces places = platform::hostPrefixPlaces();
  prefixChoices_ = ui::prefixChoices(platform::discoverPrefixes(places), options_.prefix, platform::defaultPrefix(places));
  const QSignalBlocker quiet(prefixSelector);
  prefixSelector->clear();
  for (const ui::PrefixChoice& choice : prefixChoices_) prefixSelector->addItem(toQString(choice.label));
  prefixSelector->setCurrentIndex(ui::chosenIndex(prefixChoices_, options_.prefix, options_.allPrefixes));
}

void MainWindow::prefixSelectorToOptions() {
  if (!prefixSelector) return;
  const int index = prefixSelector->currentIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= prefixChoices_.size()) return;
  const ui::PrefixChoice& choice = prefixChoices_[static_cast<std::size_t>(index)];
  options_.prefix = choice.prefix;
  options_.allPrefixes = choice.all;
  // With every prefix the hints show the first one's folders, the one scanned first.
  wellKnownFolders_ = sysfolders::WellKnownFolders(platform::scannedProfile(choice.prefix));
}

void MainWindow::showFolderHints() {
  auto& folders = wellKnownFolders_;
  const std::pair<QCheckBox*, std::string> hints[] = {
      {startMenuBox, folders.startMenu()}, {desktopBox, folders.desktop()},      {favoritesBox, folders.favorites()},
      {historyBox, folders.history()},   {programFilesBox, folders.programFiles()}, {tempBox, folders.temp()},
      {appDataBox, folders.appData()},   {recentBox, folders.recent()}};
  for (const auto& [box, path] : hints) box->setToolTip(toQString(path));
}

}  // namespace zendrift::app
