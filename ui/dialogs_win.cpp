// The message box and the name dialog on Win32, with the W APIs: texts arrive as code-page-936
// bytes and are converted explicitly, so they show right whatever the system's ANSI code page.
//
// The name dialog is built from a template in memory, in dialog units with the controls' font, so
// the system scales it with the DPI like any dialog.
#include "ui/dialogs.h"

#include <algorithm>
#include <vector>

#include "ui/layout.h"
#include "ui/window_win.h"

namespace {

std::wstring Wide(std::string_view text) {
    return WideFromCodePage(text, kCodePageGbk);
}

// ---- The name dialog's template -------------------------------------------------------------

// A dialog template in memory: a run of 16-bit words, each control's part starting on a 32-bit
// boundary, as DialogBoxIndirectParam reads it.
struct DialogTemplate {
    std::vector<WORD> words;

    void Word(WORD value) { words.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const wchar_t* text) {
        for (; *text != L'\0'; ++text) {
            Word(static_cast<WORD>(*text));
        }
        Word(0);
    }
    void AlignToDword() {
        if (words.size() % 2 != 0) {
            Word(0);
        }
    }
    void Box(short x, short y, short width, short height) {
        for (const short value : {x, y, width, height}) {
            Word(static_cast<WORD>(value));
        }
    }
};

struct DialogItem {
    DWORD style;
    short x, y, width, height;
    WORD id;
    WORD systemClass;  // the atom of a predefined class
    const wchar_t* text;
};

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// Prompt above a one-line field, OK and Cancel below it; in dialog units.
std::vector<WORD> NameDialogTemplate() {
    const DialogItem items[] = {
        {SS_LEFT | SS_NOPREFIX, 7, 7, 186, 10, kNameDialogPromptId, kStaticClass, L""},
        {WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 20, 186, 13, kNameDialogEditId, kEditClass, L""},
        {WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 87, 41, 50, 14, IDOK, kButtonClass, L"确定"},
        {WS_TABSTOP | BS_PUSHBUTTON, 143, 41, 50, 14, IDCANCEL, kButtonClass, L"取消"},
    };
    DialogTemplate dialog;
    dialog.Dword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    dialog.Dword(0);
    dialog.Word(static_cast<WORD>(std::size(items)));
    dialog.Box(0, 0, 200, 62);
    dialog.Word(0);  // no menu
    dialog.Word(0);  // the system's dialog class
    dialog.Text(L"");
    dialog.Word(9);  // points
    dialog.Text(L"SimSun");
    for (const DialogItem& item : items) {
        dialog.AlignToDword();
        dialog.Dword(WS_CHILD | WS_VISIBLE | item.style);
        dialog.Dword(0);
        dialog.Box(item.x, item.y, item.width, item.height);
        dialog.Word(item.id);
        dialog.Word(0xFFFF);
        dialog.Word(item.systemClass);
        dialog.Text(item.text);
        dialog.Word(0);  // no creation data
    }
    return dialog.words;
}

// ---- The name dialog ------------------------------------------------------------------------

struct NameDialogData {
    std::wstring prompt;
    std::wstring caption;
    std::wstring text;  // the initial text; the field's text after OK
};

void CentreOverOwner(HWND dialog) {
    const HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner == nullptr) {
        return;
    }
    RECT ownerBox;
    RECT box;
    GetWindowRect(owner, &ownerBox);
    GetWindowRect(dialog, &box);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    const LONG width = box.right - box.left;
    const LONG height = box.bottom - box.top;
    const LONG left = (ownerBox.left + ownerBox.right - width) / 2;
    const LONG top = (ownerBox.top + ownerBox.bottom - height) / 2;
    // Stays on the owner's monitor even when the owner hangs over its edge.
    SetWindowPos(dialog, nullptr, std::clamp(left, area.left, std::max(area.left, area.right - width)),
                 std::clamp(top, area.top, std::max(area.top, area.bottom - height)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR OnNameDialogInit(HWND dialog, LPARAM lParam) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    const NameDialogData& data = *reinterpret_cast<const NameDialogData*>(lParam);
    SetWindowTextW(dialog, data.caption.c_str());
    SetDlgItemTextW(dialog, kNameDialogPromptId, data.prompt.c_str());
    const HWND field = GetDlgItem(dialog, kNameDialogEditId);
    SetWindowTextW(field, data.text.c_str());
    CentreOverOwner(dialog);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    return FALSE;  // the focus is set
}

INT_PTR OnNameDialogCommand(HWND dialog, WORD id) {
    if (id == IDOK) {
        auto& data = *reinterpret_cast<NameDialogData*>(GetWindowLongPtrW(dialog, DWLP_USER));
        const HWND field = GetDlgItem(dialog, kNameDialogEditId);
        data.text.assign(static_cast<std::size_t>(std::max(GetWindowTextLengthW(field), 0)) + 1, L'\0');
        data.text.resize(
            static_cast<std::size_t>(GetWindowTextW(field, data.text.data(), static_cast<int>(data.text.size()))));
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    if (id == IDCANCEL) {  // also the close box and Escape
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: return OnNameDialogInit(dialog, lParam);
        case WM_COMMAND: return OnNameDialogCommand(dialog, LOWORD(wParam));
        default: return FALSE;
    }
}

}  // namespace

void ShowMessage(std::string_view text) {
    MessageBoxW(nullptr, Wide(text).c_str(), L"信息：", MB_OK | MB_TASKMODAL);
}

bool AskName(std::string_view prompt, std::string_view caption, std::string& name) {
    NameDialogData data{Wide(prompt), Wide(caption), Wide(name)};
    const std::vector<WORD> dialogTemplate = NameDialogTemplate();
    const INT_PTR result =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                ControlWindow(Ctl::主窗口), NameDialogProc, reinterpret_cast<LPARAM>(&data));
    if (result != IDOK) {
        return false;
    }
    name = CodePageFromWide(data.text, kCodePageGbk);
    return true;
}
