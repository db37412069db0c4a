#pragma once
// The enumerations of skin objects, each with its stored names right after it.
#include <array>
#include <cstdint>
#include <string_view>

namespace kiv {

enum TLqAlign : uint8_t {
  saNone,
  saLeft,
  saMostLeft,
  saTop,
  saMostTop,
  saRight,
  saMostRight,
  saBottom,
  saMostBottom,
  saClient,
  saTopLeft,
  saTopRight,
  saBottomLeft,
  saBottomRight,
  saCenter,
  saText
};
inline constexpr std::array<std::string_view, 16> kLqAlignNames{
    "saNone",       "saLeft",        "saMostLeft",   "saTop",    "saMostTop", "saRight",
    "saMostRight",  "saBottom",      "saMostBottom", "saClient", "saTopLeft", "saTopRight",
    "saBottomLeft", "saBottomRight", "saCenter",     "saText"};
static_assert(kLqAlignNames.size() == saText + 1);

enum TLqKind : uint8_t {
  skNone,
  skForm,
  skCaption,
  skTitle,
  skTop,
  skLeft,
  skRight,
  skBottom,
  skTopLeft,
  skTopRight,
  skBottomLeft,
  skBottomRight,
  skSysButton,
  skClient,
  skMenuBar,
  skMenuBarItem,
  skMenuBarItemText,
  skPopupMenu,
  skPopupMenuItem,
  skPopupMenuItemText,
  skItemText,
  skTranparent
};
inline constexpr std::array<std::string_view, 22> kLqKindNames{"skNone",
                                                               "skForm",
                                                               "skCaption",
                                                               "skTitle",
                                                               "skTop",
                                                               "skLeft",
                                                               "skRight",
                                                               "skBottom",
                                                               "skTopLeft",
                                                               "skTopRight",
                                                               "skBottomLeft",
                                                               "skBottomRight",
                                                               "skSysButton",
                                                               "skClient",
                                                               "skMenuBar",
                                                               "skMenuBarItem",
                                                               "skMenuBarItemText",
                                                               "skPopupMenu",
                                                               "skPopupMenuItem",
                                                               "skPopupMenuItemText",
                                                               "skItemText",
                                                               "skTranparent"};
static_assert(kLqKindNames.size() == skTranparent + 1);

enum TLqTextAlign : uint8_t {
  taTopLeft,
  taTopCenter,
  taTopRight,
  taLeft,
  taCenter,
  taRight,
  taBottomLeft,
  taBottomCenter,
  taBottomRight
};
inline constexpr std::array<std::string_view, 9> kLqTextAlignNames{
    "taTopLeft", "taTopCenter",  "taTopRight",     "taLeft",       "taCenter",
    "taRight",   "taBottomLeft", "taBottomCenter", "taBottomRight"};
static_assert(kLqTextAlignNames.size() == taBottomRight + 1);

enum TLqTextEffect : uint8_t { teNone, teShadow };
inline constexpr std::array<std::string_view, 2> kLqTextEffectNames{"teNone", "teShadow"};
static_assert(kLqTextEffectNames.size() == teShadow + 1);

enum TLqTileStyle : uint8_t {
  tsTile,
  tsStretch,
  tsCenter,
  tsVertCenterStretch,
  tsVertCenterTile,
  tsHorzCenterStretch,
  tsHorzCenterTile
};
inline constexpr std::array<std::string_view, 7> kLqTileStyleNames{
    "tsTile",           "tsStretch",           "tsCenter",        "tsVertCenterStretch",
    "tsVertCenterTile", "tsHorzCenterStretch", "tsHorzCenterTile"};
static_assert(kLqTileStyleNames.size() == tsHorzCenterTile + 1);

enum TLqAction : uint8_t {
  sbaNone,
  sbaClose,
  sbaHelp,
  sbaMinimize,
  sbaMaximize,
  sbaRestore,
  sbaRollUp,
  sbaRollDown,
  sbaTray,
  sbaSysMenu,
  sbaRollPanel,
  sbaCustom
};
inline constexpr std::array<std::string_view, 12> kLqActionNames{
    "sbaNone",   "sbaClose",    "sbaHelp", "sbaMinimize", "sbaMaximize",  "sbaRestore",
    "sbaRollUp", "sbaRollDown", "sbaTray", "sbaSysMenu",  "sbaRollPanel", "sbaCustom"};
static_assert(kLqActionNames.size() == sbaCustom + 1);

enum TLqRollKind : uint8_t { rkLeft, rkTop, rkRight, rkBottom };
inline constexpr std::array<std::string_view, 4> kLqRollKindNames{"rkLeft", "rkTop", "rkRight",
                                                                  "rkBottom"};
static_assert(kLqRollKindNames.size() == rkBottom + 1);

// Object states: set on a whole subtree before painting.
enum : uint8_t {
  kLqStateNormal = 0,
  kLqStatePreview = 1,
  kLqStateMaximized = 2,
  kLqStateMinimized = 3,
  kLqStateRolledUp = 4,
  kLqStateHot = 5,
  kLqStatePressed = 6,
  kLqStateFocused = 7,
  kLqStateDisabled = 8,
};

}  // namespace kiv
