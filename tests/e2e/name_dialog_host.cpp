// Shows the product's name dialog (ui/dialogs_win.cpp) over a window of its own, for the
// end-to-end driver's "name-dialog" scenario: three calls in a row, which the driver answers with
// OK, Cancel and the close box. Each result goes to name-dialog.txt beside this program as a line
// "1|name" (OK) or "0|name" (not), the name in code page 936 as the product keeps it.
#include <string>

#include "core/files.h"
#include "ui/dialogs.h"
#include "ui/window_win.h"

namespace {

HWND owner = nullptr;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// The dialogs' owner: the product's main window there, this program's window here.
HWND ControlWindow(Ctl) {
    return owner;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"NameDialogHost";
    RegisterClassExW(&windowClass);
    owner = CreateWindowExW(0, L"NameDialogHost", L"名称对话框测试", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 480,
                            320, nullptr, nullptr, instance, nullptr);
    std::string results;
    for (int call = 0; call < 3; ++call) {
        std::string name = "旧名字";
        const bool ok = AskName("请输入配置名称", "添加配置", name);
        results += (ok ? "1|" : "0|") + name + "\n";
    }
    const std::string path = JoinText({RunDirectory(), kPathSeparator, "name-dialog.txt"});
    WriteWholeFile(path, Bytes(results.begin(), results.end()));
    return 0;
}
