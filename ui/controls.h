// The control seam: how the command handlers act on the main window.
//
// Every control of the window is named by its layout name. The handlers only call the plain
// functions below; the Win32 window implements them on real controls, and the tests implement
// them in memory, so every handler runs headless in the native tests.
//
// Texts are code-page-936 byte strings. Positions and widths are in layout pixels (those of a
// 96-DPI screen); the window scales them to the screen's DPI.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class Ctl : int {
    主窗口,  // the main window itself
    选择夹1,

    // Page 0, "网络唤醒".
    分组框,
    分组框2,
    标签5,
    组合框_配置信息,
    按钮_添加,
    按钮_更改,
    按钮_删除,
    按钮2,
    分组框3,
    标签3,
    MAC框,
    单选框_内网,
    单选框_外网,
    按钮1,
    分组框_外网信息,
    标签_IP,
    IP框,
    标签_端口,
    端口框,
    标签4,
    分组框1,
    透明标签1,

    // Page 1, "扫描局域网".
    标签1,
    编辑框_扫描网段,
    标签7,
    标签2,
    编辑框_扫描起始值,
    标签6,
    编辑框_扫描结束值,
    标签8,
    编辑框_扫描线程数,
    标签9,
    标签10,
    按钮4,
    按钮5,
    进度条1,
    标签_进度条,
    超级列表框1,
    编辑框_所选IP,
    编辑框_所选主机名,
    编辑框_所选MAC,

    Count
};

// Texts of edit boxes, labels, buttons and the window caption.
std::string GetText(Ctl control);
void SetText(Ctl control, std::string_view text);

// Radio buttons.
bool IsChecked(Ctl control);

// The drop-down list. Indexes count from 0; -1 means nothing is selected. Setting the selection
// from code raises no event: only the user's pick does.
void ClearComboItems(Ctl control);
void AppendComboItem(Ctl control, std::string_view text);
std::int32_t ComboItemCount(Ctl control);
std::int32_t ComboSelection(Ctl control);
void SetComboSelection(Ctl control, std::int32_t index);

// The report list view. Rows count from 0; -1 means no row is selected.
void ClearListRows(Ctl control);
void AppendListRow(Ctl control, const std::vector<std::string>& cells);
std::int32_t ListSelection(Ctl control);
std::string ListCell(Ctl control, std::int32_t row, std::int32_t column);

// The progress bar.
void SetProgressMaximum(Ctl control, std::int32_t maximum);
std::int32_t ProgressMaximum(Ctl control);
void SetProgressPosition(Ctl control, std::int32_t position);
std::int32_t ProgressPosition(Ctl control);

// Geometry and visibility. For 主窗口 the width is the outer width, and setting it keeps the
// window's left edge, top and height.
std::int32_t Width(Ctl control);
void SetWidth(Ctl control, std::int32_t width);
void SetVisible(Ctl control, bool visible);

// The current page of the tab control: 0 or 1.
std::int32_t CurrentPage(Ctl control);

// Runs the window events already queued. Gives false once the main window has been closed; a
// handler that gets false returns at once without touching the window or the profiles again.
bool ProcessPendingEvents();

// Waits about the given number of milliseconds while running window events as they come, so the
// window stays responsive. Gives false, at once, when the main window is closed meanwhile.
bool WaitProcessingEvents(std::uint32_t milliseconds);
