// The main window's control table and its geometry at any size and dpi.
#include "ui/window_layout.h"

#include <algorithm>
#include <cmath>

#include "platform/host_conventions.h"

namespace zendrift::ui {

namespace {

using enum ControlId;
using K = ControlKind;
using A = Anchor;

constexpr std::string_view kNoHint;

const std::array<ControlSpec, kControlCount> kControls{{
    {bannerPanel, window, K::bannerPanel, {0, 0, 592, 65}, A::dockTop, {}, kNoHint},
    {bannerTitle, bannerPanel, K::label, {9, 6, 194, 13}, A::leftTop, "Find and remove broken shortcuts", kNoHint,
     FontRole::title},
    {scanHintLabel, bannerPanel, K::label, {21, 24, 435, 13}, A::leftTop,
     "Select the folders you want to examine for broken shortcuts and press the Start Scan button.", kNoHint},
    {deleteHintLabel, bannerPanel, K::label, {21, 40, 403, 13}, A::leftTop,
     "Review the search results and press Delete Orphans to remove them from the system.", kNoHint},
    {logo, bannerPanel, K::stateImage, {528, 8, 53, 33}, A::right, {}, "Go to the Norvane web site"},
    {optionsPanel, window, K::panel, {0, 65, 592, 169}, A::dockTop, {}, kNoHint},
    {foldersGroup, optionsPanel, K::groupBox, {8, 8, 281, 97}, A::leftTop,
     " Select folders to scan for orphaned shortcuts: ", kNoHint},
    {startMenuBox, foldersGroup, K::checkBox, {16, 24, 97, 17}, A::leftTop, "Start menu", kNoHint},
    {desktopBox, foldersGroup, K::checkBox, {16, 40, 97, 17}, A::leftTop, "Desktop", kNoHint},
    {favoritesBox, foldersGroup, K::checkBox, {16, 56, 97, 17}, A::leftTop, "Favorites", kNoHint},
    {historyBox, foldersGroup, K::checkBox, {16, 72, 97, 17}, A::leftTop, "History", kNoHint},
    {recentBox, foldersGroup, K::checkBox, {120, 24, 125, 17}, A::leftTop, "Recent documents", kNoHint},
    {tempBox, foldersGroup, K::checkBox, {120, 40, 125, 17}, A::leftTop, "Temp directory", kNoHint},
    {programFilesBox, foldersGroup, K::checkBox, {120, 56, 125, 17}, A::leftTop, "Program files", kNoHint},
    {appDataBox, foldersGroup, K::checkBox, {120, 72, 125, 17}, A::leftTop, "Application data", kNoHint},
    {targetsGroup, optionsPanel, K::groupBox, {304, 8, 281, 97}, A::leftRight, "Include shortcuts with broken links to: ",
     kNoHint},
    {removableDrivesBox, targetsGroup, K::checkBox, {16, 24, 200, 17}, A::leftTop, "Files on removable drives",
     "Include shortcut with targets on removable drives, like floppy disks."},
    {networkDrivesBox, targetsGroup, K::checkBox, {16, 40, 200, 17}, A::leftTop, "Files on a network",
     "Include shortcut with targets on mapped network drives or with UNC paths."},
    {cdRomDrivesBox, targetsGroup, K::checkBox, {16, 56, 200, 17}, A::leftTop, "Files on CD-ROM drives",
     "Include shortcut with targets on CD-ROM drives."},
    {ramDrivesBox, targetsGroup, K::checkBox, {16, 72, 200, 17}, A::leftTop, "Files on RAM disks",
     "Include shortcut with targets on RAM disks."},
    {userFolderGroup, optionsPanel, K::groupBox, {8, 112, 577, 49}, A::leftRight, " User defined search folder: ",
     kNoHint},
    {userFolderEdit, userFolderGroup, K::edit, {16, 20, 509, 21}, A::leftRight, {},
     "User defined search folder that will be searched for *.lnk files. Search includes subfolders."},
    {browseButton, userFolderGroup, K::pushButton, {536, 20, 25, 21}, A::right, ".....", "Browse for a folder."},
    {resultsPanel, window, K::raisedPanel, {0, 234, 592, 129}, A::dockClient, {}, kNoHint},
    {resultList, resultsPanel, K::checkList, {1, 1, 590, 127}, A::fill, {}, "Use right mouse button for options"},
    {statusPanel, window, K::raisedPanel, {0, 363, 592, 27}, A::dockBottom, {}, kNoHint},
    {statusLabel, statusPanel, K::label, {10, 7, 28, 13}, A::leftTop, "Idle.", kNoHint, FontRole::status},
    {buttonPanel, window, K::raisedPanel, {0, 390, 592, 43}, A::dockBottom, {}, kNoHint},
    {scanButton, buttonPanel, K::styledButton, {16, 16, 73, 21}, A::leftTop, "Start Scan",
     "Start searching for orphans in the selected folders"},
    {deleteButton, buttonPanel, K::styledButton, {96, 16, 89, 21}, A::leftTop, "Delete Orphans",
     "Delete the selected orphans from the file system"},
    // In the free room between "Delete Orphans" and the right-hand buttons; nothing else moves.
    {moveToTrashBox, buttonPanel, K::checkBox, {196, 18, 136, 17}, A::leftTop, platform::kMoveToTrashCaption,
     "Deleted orphans can be restored with \"Undo last cleaning\""},
    {updatesButton, buttonPanel, K::styledButton, {336, 16, 113, 21}, A::right, "Check for updates",
     "Online check for new program versions"},
    {helpButton, buttonPanel, K::styledButton, {456, 16, 57, 21}, A::right, "Help",
     "Link to the online help for this program"},
    {exitButton, buttonPanel, K::styledButton, {520, 16, 57, 21}, A::right, "Exit", "Exit the application"},
}};

// Panels in their tab order (results, buttons, options, status, banner), each panel's controls
// in theirs; the banner's labels and logo take no focus.
constexpr std::array kTabOrder{resultList,     scanButton,   deleteButton,  moveToTrashBox,     updatesButton,
                               helpButton,     exitButton,   tempBox,       startMenuBox,       desktopBox,
                               favoritesBox,   historyBox,   recentBox,     programFilesBox,    appDataBox,
                               cdRomDrivesBox, removableDrivesBox, networkDrivesBox, ramDrivesBox, browseButton,
                               userFolderEdit};

// Edges in design units (fractional when the client is not a whole number of them) to pixels.
struct Edges {
  double left, top, right, bottom;
};

Rect toPixels(const Edges& e, double scale) {
  const auto px = [scale](double v) { return static_cast<int>(std::lround(v * scale)); };
  const int left = px(e.left);
  const int top = px(e.top);
  return {left, top, std::max(0, px(e.right) - left), std::max(0, px(e.bottom) - top)};
}

}  // namespace

std::span<const ControlSpec> windowControls() { return kControls; }

const ControlSpec& controlSpec(ControlId id) { return kControls[static_cast<std::size_t>(indexOf(id))]; }

std::span<const ControlId> tabOrder() { return kTabOrder; }

Font fontFor(FontRole role) {
  switch (role) {
    case FontRole::title:
      return titleFont();
    case FontRole::status:
      return statusFont();
    case FontRole::window:
      break;
  }
  return windowFont();
}

int scaled(int value, double scale) { return static_cast<int>(std::lround(value * scale)); }

Size minimumClient(double scale) { return {scaled(kMinimumClient.width, scale), scaled(kMinimumClient.height, scale)}; }

std::array<Rect, kControlCount> layoutControls(Size client, double scale) {
  if (scale <= 0) scale = 1;
  // Everything is worked out in design units, then each rectangle's edges are scaled.
  const double width = client.width / scale;
  const double height = client.height / scale;
  std::array<Edges, kControlCount> edges{};
  double top = 0;
  double bottom = height;
  // Top panels stack down and bottom panels up in table order; the client panel takes the rest.
  for (const ControlSpec& spec : kControls) {
    Edges& e = edges[static_cast<std::size_t>(indexOf(spec.id))];
    if (spec.anchor == A::dockTop) {
      e = {0, top, width, top + spec.design.height};
      top += spec.design.height;
    }
  }
  for (auto it = kControls.rbegin(); it != kControls.rend(); ++it) {
    if (it->anchor != A::dockBottom) continue;
    edges[static_cast<std::size_t>(indexOf(it->id))] = {0, bottom - it->design.height, width, bottom};
    bottom -= it->design.height;
  }
  for (const ControlSpec& spec : kControls) {
    Edges& e = edges[static_cast<std::size_t>(indexOf(spec.id))];
    const Rect& d = spec.design;
    switch (spec.anchor) {
      case A::dockTop:
      case A::dockBottom:
        break;
      case A::dockClient:
        e = {0, top, width, std::max(top, bottom)};
        break;
      case A::leftTop:
      case A::right:
      case A::leftRight:
      case A::fill: {
        // Relative to the parent, whose own edges are known by now (parents come first).
        const Edges& p = edges[static_cast<std::size_t>(indexOf(spec.parent))];
        const double parentWidth = p.right - p.left;
        const double parentHeight = p.bottom - p.top;
        const ControlSpec& parent = controlSpec(spec.parent);
        const double rightMargin = parent.design.width - d.right();
        if (spec.anchor == A::leftTop) {
          e = {double(d.left), double(d.top), double(d.right()), double(d.bottom())};
        } else if (spec.anchor == A::right) {
          e = {parentWidth - rightMargin - d.width, double(d.top), parentWidth - rightMargin, double(d.bottom())};
        } else if (spec.anchor == A::leftRight) {
          e = {double(d.left), double(d.top), std::max(double(d.left), parentWidth - rightMargin), double(d.bottom())};
        } else {
          e = {0, 0, parentWidth, parentHeight};  // narrowed by the bevel once in pixels
        }
        break;
      }
    }
  }
  std::array<Rect, kControlCount> rects{};
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const Edges& e = edges[i];
    const ControlSpec& spec = kControls[i];
    if (spec.anchor == A::fill) {
      // Inside the parent's one-pixel bevel, in device pixels.
      const Rect& p = rects[static_cast<std::size_t>(indexOf(spec.parent))];
      rects[i] = {1, 1, std::max(0, p.width - 2), std::max(0, p.height - 2)};
    } else {
      rects[i] = toPixels(e, scale);
    }
  }
  return rects;
}

Rect clientRect(const std::array<Rect, kControlCount>& rects, ControlId id) {
  Rect rect = rects[static_cast<std::size_t>(indexOf(id))];
  for (ControlId parent = controlSpec(id).parent; parent != window; parent = controlSpec(parent).parent) {
    const Rect& p = rects[static_cast<std::size_t>(indexOf(parent))];
    rect = rect.translated(p.left, p.top);
  }
  return rect;
}

std::string folderPairHint(std::string_view user, std::string_view allUsers) {
  std::string hint(user);
  if (!allUsers.empty()) hint += (hint.empty() ? "" : "\n") + std::string(allUsers);
  return hint;
}

}  // namespace zendrift::ui
