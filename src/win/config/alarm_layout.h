#pragma once
// Where the configuration window's controls sit: named boxes and row shapes, per window,
// group, page and panel. Positions are in the client area of the control's own parent.
// Boxes whose place depends on a caption's width (controls laid into the gaps of a label)
// are finished in code from the font's measurement; every other size is here.
#include "win/ui/layout.h"

namespace klaxora::win::alarm_layout {

inline constexpr int kClientWidth = 550;
inline constexpr int kClientHeight = 301;
inline constexpr int kRowHeight = 21;
inline constexpr int kListDropHeight = 220;  // a combo box's height with its list open

// The top row of image buttons.
inline constexpr int kTopY = 10;
inline constexpr int kTopSize = 37;
inline constexpr Box TopButton(int x) {
    return {x, kTopY, kTopSize, kTopSize};
}
inline constexpr Box kParkedStop{-40, -40, kTopSize, kTopSize};  // until an alarm runs

// The trigger group and its contents.
inline constexpr Box kTriggerGroup{12, 51, 213, 222};
inline constexpr Box kTriggerLabel{8, 18, 197, 13};
inline constexpr Box kTriggerList{6, 33, 201, kListDropHeight};
inline constexpr Box kNotebook{3, 60, 207, 121};
inline constexpr Box kPage{0, 0, 207, 121};
// The check box's width is its caption's; the edit follows it, then the unit "s".
inline constexpr Box kRepeatBox{4, 193, 0, 17};
inline constexpr int kRepeatEditY = 191, kRepeatEditWidth = 49, kRepeatEditHeight = 20;
inline constexpr int kRepeatUnitGap = 3;
inline constexpr Box kRepeatUnit{0, 195, 12, 13};  // x follows the edit

// The action group and its contents.
inline constexpr Box kActionGroup{232, 51, 310, 222};
inline constexpr Box kActionList{7, 18, 296, kListDropHeight};
inline constexpr Box kActionPanel{7, 46, 296, 145};
inline constexpr Box kHelpLabel{9, 200, 60, 13};
inline constexpr Box kPreview{228, 194, 75, 23};

// A notebook page: a caption, an editor row, a button row and a note at the bottom.
namespace page {
inline constexpr Box kCaption{4, 4, 199, 13};
inline constexpr int kEditorY = 22;
inline constexpr Box kWizard{4, 52, 75, 23};
inline constexpr Box kFormat{0, 100, 207, 14};  // centred across the page
inline constexpr Box kProgramEdit{4, kEditorY, 176, kRowHeight};
inline constexpr Box kProgramBrowse{182, kEditorY, 21, kRowHeight};
inline constexpr Box kNote{4, 76, 199, 40};
inline constexpr Box kTopNote{4, 4, 199, 40};
inline constexpr Box kSeconds{4, kEditorY, 113, kRowHeight};
inline constexpr Box kSecondsUnit{121, 26, 12, 13};
// A time row: hours, the bold colons between the fields, minutes, seconds, the recent list.
inline constexpr int kTimeLeft = 4;
inline constexpr int kCountdownHoursWidth = 60;
inline constexpr int kAtHoursWidth = 46;
inline constexpr int kTimeSecondsWidth = 46;
inline constexpr int kListButtonWidth = 22;
inline constexpr int kGap = 2;
inline constexpr int kListGap = 4;
}  // namespace page

// An action panel (296 x 145): rows of a caption over a field.
namespace panel {
inline constexpr int kWidth = 296;
inline constexpr Box kCaption{0, 2, kWidth, 13};
inline constexpr Box kField{0, 18, kWidth, kListDropHeight};
inline constexpr Box kCaption2{0, 50, kWidth, 13};
inline constexpr Box kField2{0, 66, kWidth, kListDropHeight};
// A path row: the editor, its browse button and the recent list.
inline constexpr Box kPathEdit{0, 18, 248, kRowHeight};
inline constexpr Box kPathBrowse{250, 18, 21, kRowHeight};
inline constexpr Box kPathList{274, 18, 22, kRowHeight};
// The web address: the editor reaches the recent list.
inline constexpr Box kWebEdit{0, 18, 272, kRowHeight};
// The sound player's row under the path row.
inline constexpr Box kLengthCaption{0, 50, 34, 13};
inline constexpr Box kLength{36, 50, 150, 13};
inline constexpr Box kPlay{0, 72, 30, 24};
inline constexpr Box kPause{31, 72, 30, 24};
inline constexpr Box kStop{62, 72, 30, 24};
// From just after the transport to the panel's edge, so "Graj w nieskończoność" is never cut.
inline constexpr Box kLoop{96, 75, 200, 19};
// The process list fills its panel.
inline constexpr Box kFill{0, 0, kWidth, 145};
// The sub-panels of "Inne możliwości", under its list.
inline constexpr Box kSubPanel{0, 46, kWidth, 99};
// A row of captions, each before its field: the captions as wide as their text.
inline constexpr Box kGapLabel{0, 24, kWidth, 13};
inline constexpr int kGapFieldY = 20;
inline constexpr int kCaptionGap = 4;  // between a caption and its field
inline constexpr int kFieldGap = 10;   // between a field and the next caption
inline constexpr int kCoordinateWidth = 70;
inline constexpr int kPickButtonY = 19, kPickButtonHeight = 23;
inline constexpr Box kPickerNote{0, 45, kWidth, 54};  // four lines of the instructions
inline constexpr int kDriveMinWidth = 40, kOperationWidth = 90;
}  // namespace panel

}  // namespace klaxora::win::alarm_layout
