// The main window's composition as data: every control's kind, parent, design rectangle (pixels
// at 96 dpi, relative to its parent's client area), anchor, caption, hint and font, the keyboard
// order, and the geometry for any client size and dpi scale.
//
// Both windows build their controls from this table, so the layout is written once.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "ui/font.h"
#include "ui/geometry.h"

namespace zendrift::ui {

enum class ControlId : int {
  window = -1,  // the parent of the panels: the window's client area
  bannerPanel,
  bannerTitle,
  scanHintLabel,
  deleteHintLabel,
  logo,
  optionsPanel,
  foldersGroup,
  startMenuBox,
  desktopBox,
  favoritesBox,
  historyBox,
  recentBox,
  tempBox,
  programFilesBox,
  appDataBox,
  targetsGroup,
  removableDrivesBox,
  networkDrivesBox,
  cdRomDrivesBox,
  ramDrivesBox,
  userFolderGroup,
  userFolderEdit,
  browseButton,
  resultsPanel,
  resultList,
  statusPanel,
  statusLabel,
  buttonPanel,
  scanButton,
  deleteButton,
  moveToTrashBox,
  updatesButton,
  helpButton,
  exitButton,
  count
};
inline constexpr int kControlCount = static_cast<int>(ControlId::count);
constexpr int indexOf(ControlId id) noexcept { return static_cast<int>(id); }

enum class ControlKind {
  panel,         // flat, button face
  raisedPanel,   // a one-pixel raised bevel, button face
  bannerPanel,   // a one-pixel raised bevel, the window colour (white)
  label,         // sized to its text; no focus
  groupBox,      // etched frame with its caption on the top line
  checkBox,
  edit,          // single-line text box
  pushButton,    // the toolkit's own push button ("....")
  styledButton,  // our styled push button
  checkList,     // our result list
  stateImage,    // our state image (the logo)
};

// How a control follows its parent's size. Panels dock; inside them a control keeps its left and
// top, and with `right` its distance from the parent's right edge, with `leftRight` both (it
// stretches). `fill` takes the parent's client area inside its one-pixel bevel.
enum class Anchor { leftTop, right, leftRight, dockTop, dockBottom, dockClient, fill };

enum class FontRole { window, title, status };

struct ControlSpec {
  ControlId id;
  ControlId parent;
  ControlKind kind;
  Rect design;  // relative to the parent; for panels the design height counts
  Anchor anchor;
  std::string_view caption;
  std::string_view hint;
  FontRole font = FontRole::window;
};

// The design: outer bounds 243, 504, 600 x 467 with a frame of 8 x 34 (caption and borders),
// so a client area of 592 x 433; the smallest outer size is 600 x 400 (client 592 x 366).
inline constexpr Rect kDesignBounds{243, 504, 600, 467};
inline constexpr Size kDesignFrame{8, 34};
inline constexpr Size kDesignClient{592, 433};
inline constexpr Size kMinimumSize{600, 400};
inline constexpr Size kMinimumClient{kMinimumSize.width - kDesignFrame.width, kMinimumSize.height - kDesignFrame.height};

// Every control, parents before their children, indexed by ControlId.
std::span<const ControlSpec> windowControls();
const ControlSpec& controlSpec(ControlId id);

// The Tab key's order over the controls that take the focus (labels and the logo take none).
std::span<const ControlId> tabOrder();

Font fontFor(FontRole role);

// The hint of a folder box that scans the user's folder and the all-users one of its kind (the
// Desktop box): both paths, a line each, the user's first; a folder not found is left out.
std::string folderPairHint(std::string_view user, std::string_view allUsers);

// Every control's rectangle, relative to its parent, for a client area of `client` device
// pixels on a screen of `scale` = dpi / 96 (1.5 at 144 dpi). Edges are scaled and rounded, so
// neighbours stay flush; docked panels stack down from the top and up from the bottom and the
// result panel takes what remains (never below 0); anchored controls follow their parent.
std::array<Rect, kControlCount> layoutControls(Size client, double scale);

// A control's rectangle in the window's client area: `rects` from layoutControls, offsets of
// its parents added.
Rect clientRect(const std::array<Rect, kControlCount>& rects, ControlId id);

// The smallest client area at `scale`.
Size minimumClient(double scale);

// `value` design pixels at `scale`, rounded to the nearest pixel.
int scaled(int value, double scale);

}  // namespace zendrift::ui
