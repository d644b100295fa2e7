// The main window's layout: every control with its kind, parent, place, size and initial state.
//
// Plain data, shared by the Win32 window, which creates the controls from it, and by the
// in-memory window of the tests, which starts from the same initial state. Places and sizes are in
// layout pixels (96 DPI); a place is relative to the parent's top-left corner.
#pragma once

#include <cstdint>

#include "ui/controls.h"

enum class ControlKind {
    Window,    // the main window: outer size, caption
    Tab,       // the two-page tab control
    GroupBox,  // a frame that holds and clips other controls; caption optional
    Label,
    TransparentLabel,  // multi-line, wrapped, drawn on its parent's background
    OverlayLabel,      // drawn above the control it lies on (the progress text over the bar)
    DropDownList,      // no typing, items in the order appended
    Button,
    RadioButton,
    Edit,
    NumberEdit,  // accepts typed digits and "-" only
    ProgressBar,
    ListView,  // report view: headers, whole-row and single selection, grid lines
};

struct ControlLayout {
    Ctl control;
    ControlKind kind;
    Ctl parent;        // 主窗口 for the tab control; itself for the main window
    std::int8_t page;  // tab page the control lies on, 0 or 1; -1 for the window and the tab
    std::int16_t x, y, width, height;
    const char* text;  // initial text (caption for the window and group boxes), GBK
    bool visible;      // initially visible (when its page is current)
    bool checked;      // radio buttons: initially checked
};

// The entries in the order of Ctl, one per control.
const ControlLayout& LayoutOf(Ctl control);

constexpr int kControlCount = static_cast<int>(Ctl::Count);

// Page titles of 选择夹1, in page order.
extern const char* const kTabPageTitles[2];

// Columns of 超级列表框1: title and width, left to right, all left-aligned.
struct ListColumn {
    const char* title;
    std::int16_t width;
};
extern const ListColumn kResultColumns[3];

// The layout width of 分组框 in the narrow layout, and what the window's frame adds to it.
constexpr std::int32_t kNarrowPanelWidth = 296;
constexpr std::int32_t kFrameAllowance = 6;

// The Win32 control ID of each control (the main window, a top-level window, has none). Clear of
// IDOK and IDCANCEL, which the dialog keyboard interface sends to the main window, and of 0xFFFF,
// the ID of static texts in system dialogs. The end-to-end tests find the controls by these IDs.
constexpr int kFirstControlId = 1000;
constexpr int ControlId(Ctl control) {
    return kFirstControlId + static_cast<int>(control);
}

// The parts of the name dialog besides its OK and Cancel buttons (IDOK, IDCANCEL), by ID.
constexpr int kNameDialogPromptId = 100;
constexpr int kNameDialogEditId = 101;
