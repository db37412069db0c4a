#pragma once
// The sections of a visual style's INI text that this system reads, in the
// order they are read into a theme's parts table. Looked up ignoring case.
#include <array>
#include <string_view>

namespace kiv {

inline constexpr std::array<std::string_view, 99> kMsStylesSections{
    "Window", "Window.Caption", "Window.FrameLeft", "Window.FrameRight", "Window.FrameBottom",
    "Window.CloseButton", "Window.HelpButton", "Window.MaxButton", "Window.MinButton",
    "Window.RestoreButton", "Window.SmallCaption", "Window.SmallFrameLeft",
    "Window.SmallFrameRight", "Window.SmallFrameBottom", "Window.SmallCloseButton",
    "Window.SysButton", "Window.Caption(Active)", "Window.Caption(Inactive)",
    "Window.MDIMinButton", "Window.MDICloseButton", "Window.MDIRestoreButton",
    "Button.Pushbutton", "Button.Pushbutton(Disabled)", "Button.Pushbutton(Defaulted)", "Spin",
    "Spin.Up", "Spin.Down", "Spin.Uphorz", "Spin.Downhorz", "button.checkbox",
    "Button.checkbox(checkeddisabled)", "Button.checkbox(unchecked disabled)",
    "Button.checkbox(mixeddisabled)", "button.radiobutton", "Button.radiobutton(checkeddisabled)",
    "Button.radiobutton(unchecked disabled)", "ScrollBar.ArrowBtn", "ScrollBar.ThumbBtnHorz",
    "ScrollBar.ThumbBtnVert", "ScrollBar.LowerTrackHorz", "ScrollBar.UpperTrackHorz",
    "ScrollBar.LowerTrackVert", "ScrollBar.UpperTrackVert", "ScrollBar.GripperHorz",
    "ScrollBar.GripperVert", "Progress", "Progress.Bar", "Progress.BarVert", "Progress.Chunk",
    "Progress.ChunkVert", "TrackBar", "TrackBar.Thumb", "TrackBar.ThumbTop",
    "TrackBar.ThumbBottom", "TrackBar.ThumbVert", "TrackBar.ThumbLeft", "TrackBar.ThumbRight",
    "TrackBar.Track", "TrackBar.TrackVert", "TrackBar.Tics", "button.groupbox", "edit",
    "edit.edittext(disabled)", "edit.edittext(readonly)", "combobox", "combobox(disabled)",
    "combobox(hot)", "Combobox.DropDownButton", "header", "header.headeritem", "status",
    "status.pane", "status.gripperpane", "status.gripper", "rebar", "rebar.band",
    "rebar.gripper", "rebar.grippervert", "rebar.chevron", "rebar.chevronvert", "toolbar",
    "toolbar.button", "toolbar.separator", "toolbar.dropdownbutton", "toolbar.splitbutton",
    "toolbar.splitbuttondropdown", "tab", "tab.pane", "tab.toptabitem", "tab.body",
    "tab.toptabitemleftedge", "tab.toptabitemrightedge", "explorerbar",
    "explorerbar.SpecialGroupBackground", "explorerbar.NormalGroupCollapse",
    "explorerbar.NormalGroupExpand", "explorerbar.NormalGroupHead", "explorerbar.headerclose",
    "listview"};

}  // namespace kiv
