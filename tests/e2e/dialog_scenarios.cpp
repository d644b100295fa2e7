// The name dialog, on the test host program that shows it three times (name_dialog_host.cpp): its
// caption, prompt, pre-filled field and buttons, its owner, and what OK, Cancel and the close box
// give back to the caller.
#include "tests/e2e/driver.h"

namespace {

using namespace e2e;

// One showing of the dialog: the driver types into the field, then answers.
struct Round {
    const wchar_t* typed;
    const wchar_t* answer;  // "OK", "Cancel" or "close"
};

void RunNameDialog(const Options& options) {
    const std::wstring host = CopyBesideProduct(options, L"name_dialog_host.exe");
    if (!Check(!host.empty(), L"the dialog host is in place")) {
        return;
    }
    Product product;
    if (!Check(Start(product, host), L"the dialog host starts")) {
        return;
    }
    const HWND owner = WaitForTopWindow(product, L"名称对话框测试", true, 20000);
    const Round rounds[] = {{L"新配置 1", L"OK"}, {L"不要这个", L"Cancel"}, {L"也不要", L"close"}};
    for (const Round& round : rounds) {
        const std::wstring answer = round.answer;
        const HWND dialog = WaitForDialog(product.process.dwProcessId, 10000);
        if (!Check(dialog != nullptr, answer + L": the name dialog shows")) {
            return;
        }
        const HWND field = GetDlgItem(dialog, kNameDialogEditId);
        if (answer == L"OK") {
            CheckEqual(L"caption", Text(dialog), L"添加配置");
            CheckEqual(L"prompt", Text(GetDlgItem(dialog, kNameDialogPromptId)), L"请输入配置名称");
            CheckEqual(L"the field holds the current name", Text(field), L"旧名字");
            CheckEqual(L"OK button", Text(GetDlgItem(dialog, IDOK)), L"确定");
            CheckEqual(L"Cancel button", Text(GetDlgItem(dialog, IDCANCEL)), L"取消");
            CheckEqual(L"the field is an edit box", ClassName(field), L"Edit");
            Check((Style(field) & (ES_MULTILINE | ES_READONLY)) == 0, L"the field is one line and writable");
            Check(owner != nullptr && GetWindow(dialog, GW_OWNER) == owner, L"the dialog is owned by the window");
            Check(owner != nullptr && !IsWindowEnabled(owner), L"the dialog is modal: its owner is disabled");
            Screenshot(options, dialog, L"name-dialog");
        }
        SetText(field, round.typed);
        if (answer == L"OK") {
            PostClick(GetDlgItem(dialog, IDOK));
        } else if (answer == L"Cancel") {
            PostClick(GetDlgItem(dialog, IDCANCEL));
        } else {
            PostMessageW(dialog, WM_CLOSE, 0, 0);
        }
        Check(WaitUntil([dialog] { return !IsWindow(dialog); }), answer + L": the dialog closes");
    }
    CheckEqual(L"the dialog host ends", WaitForExit(product, 10000), 0);
    const std::wstring results = ReadTextFile(FolderOf(host) + L"\\name-dialog.txt", 936);
    CheckEqual(L"OK gives the typed name, Cancel and closing leave the name as it was", results,
               L"1|新配置 1\n0|旧名字\n0|旧名字\n");
}
E2E_SCENARIO(L"name-dialog", RunNameDialog, L"the name dialog: texts, owner, OK, Cancel and closing");

}  // namespace
