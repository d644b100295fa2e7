// The control seam on the real controls of the main window. Texts cross here between the tool's
// code-page-936 bytes and the UTF-16 of the W APIs, whatever the system's ANSI code page is.
#include "ui/controls.h"

#include <algorithm>

#include "ui/window_win.h"

namespace {

std::wstring Wide(std::string_view text) {
    return WideFromCodePage(text, kCodePageGbk);
}

std::string Narrow(std::wstring_view text) {
    return CodePageFromWide(text, kCodePageGbk);
}

LRESULT Send(Ctl control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(ControlWindow(control), message, wParam, lParam);
}

}  // namespace

std::string GetText(Ctl control) {
    const HWND window = ControlWindow(control);
    std::wstring text(static_cast<std::size_t>(std::max(GetWindowTextLengthW(window), 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void SetText(Ctl control, std::string_view text) {
    SetWindowTextW(ControlWindow(control), Wide(text).c_str());
}

bool IsChecked(Ctl control) {
    return Send(control, BM_GETCHECK) == BST_CHECKED;
}

void ClearComboItems(Ctl control) {
    Send(control, CB_RESETCONTENT);
}

void AppendComboItem(Ctl control, std::string_view text) {
    const std::wstring item = Wide(text);
    Send(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

std::int32_t ComboItemCount(Ctl control) {
    return std::max<std::int32_t>(static_cast<std::int32_t>(Send(control, CB_GETCOUNT)), 0);
}

std::int32_t ComboSelection(Ctl control) {
    const LRESULT selection = Send(control, CB_GETCURSEL);
    return selection == CB_ERR ? -1 : static_cast<std::int32_t>(selection);
}

void SetComboSelection(Ctl control, std::int32_t index) {
    // CB_SETCURSEL sends no CBN_SELCHANGE: only the user's pick raises the event.
    Send(control, CB_SETCURSEL, static_cast<WPARAM>(index));
}

void ClearListRows(Ctl control) {
    Send(control, LVM_DELETEALLITEMS);
}

void AppendListRow(Ctl control, const std::vector<std::string>& cells) {
    if (cells.empty()) {
        return;
    }
    std::wstring text = Wide(cells.front());
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(Send(control, LVM_GETITEMCOUNT));
    item.pszText = text.data();
    const LRESULT row = Send(control, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (row < 0) {
        return;
    }
    for (std::size_t column = 1; column < cells.size(); ++column) {
        text = Wide(cells[column]);
        LVITEMW cell{};
        cell.iSubItem = static_cast<int>(column);
        cell.pszText = text.data();
        Send(control, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    }
}

std::int32_t ListSelection(Ctl control) {
    return static_cast<std::int32_t>(Send(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string ListCell(Ctl control, std::int32_t row, std::int32_t column) {
    // The list view says nothing of a cell's length: grow the buffer until the text fits.
    std::wstring text(256, L'\0');
    for (;;) {
        LVITEMW cell{};
        cell.iSubItem = column;
        cell.pszText = text.data();
        cell.cchTextMax = static_cast<int>(text.size());
        const LRESULT length =
            Send(control, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
        if (length < static_cast<LRESULT>(text.size()) - 1) {
            text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
            return Narrow(text);
        }
        text.assign(text.size() * 2, L'\0');
    }
}

void SetProgressMaximum(Ctl control, std::int32_t maximum) {
    Send(control, PBM_SETRANGE32, 0, maximum);
}

std::int32_t ProgressMaximum(Ctl control) {
    return static_cast<std::int32_t>(Send(control, PBM_GETRANGE, FALSE));
}

void SetProgressPosition(Ctl control, std::int32_t position) {
    Send(control, PBM_SETPOS, static_cast<WPARAM>(position));
}

std::int32_t ProgressPosition(Ctl control) {
    return static_cast<std::int32_t>(Send(control, PBM_GETPOS));
}

std::int32_t Width(Ctl control) {
    return LayoutWidth(control);
}

void SetWidth(Ctl control, std::int32_t width) {
    SetLayoutWidth(control, width);
}

void SetVisible(Ctl control, bool visible) {
    SetControlVisible(control, visible);
}

std::int32_t CurrentPage(Ctl control) {
    return static_cast<std::int32_t>(Send(control, TCM_GETCURSEL));
}

bool ProcessPendingEvents() {
    return DispatchQueuedMessages();
}

bool WaitProcessingEvents(std::uint32_t milliseconds) {
    return DispatchMessagesFor(milliseconds);
}
