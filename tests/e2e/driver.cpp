// The end-to-end driver's library and its entry; see driver.h.
#include "tests/e2e/driver.h"

#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>

namespace e2e {

namespace {

int passed = 0;
int failed = 0;

void PrintLine(const std::wstring& line) {
    const std::string utf8 = CodePageFromWide(line + L"\n", CP_UTF8);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

struct ScenarioEntry {
    ScenarioFunction run;
    std::wstring summary;
};

std::map<std::wstring, ScenarioEntry>& Scenarios() {
    static std::map<std::wstring, ScenarioEntry> scenarios;
    return scenarios;
}

// Closes a handle exactly once.
struct OwnedHandle {
    explicit OwnedHandle(HANDLE h) : handle(h) {}
    ~OwnedHandle() {
        if (handle != nullptr) {
            CloseHandle(handle);
        }
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE handle;
};

constexpr DWORD kMessageTimeoutMs = 5000;

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

}  // namespace

// ---- Checks and output ----------------------------------------------------------------------

bool Check(bool ok, const std::wstring& what) {
    (ok ? passed : failed) += 1;
    PrintLine((ok ? L"ok - " : L"FAIL - ") + what);
    return ok;
}

bool CheckEqual(const std::wstring& what, const std::wstring& actual, const std::wstring& expected) {
    if (actual == expected) {
        return Check(true, what);
    }
    return Check(false, what + L": got " + Quoted(actual) + L", want " + Quoted(expected));
}

bool CheckEqual(const std::wstring& what, long long actual, long long expected) {
    if (actual == expected) {
        return Check(true, what);
    }
    return Check(false, what + L": got " + Number(actual) + L", want " + Number(expected));
}

void Note(const std::wstring& text) {
    PrintLine(L"# " + text);
}

int FailedCount() {
    return failed;
}

std::wstring Quoted(const std::wstring& text) {
    std::wstring quoted = L"\"";
    for (const wchar_t c : text) {
        if (c == L'\r') {
            quoted += L"\\r";
        } else if (c == L'\n') {
            quoted += L"\\n";
        } else {
            quoted += c;
        }
    }
    return quoted + L"\"";
}

std::wstring Number(long long value) {
    return std::to_wstring(value);
}

std::wstring Options::Get(const std::wstring& name, const std::wstring& fallback) const {
    const auto found = values.find(name);
    return found == values.end() ? fallback : found->second;
}

// ---- Waiting --------------------------------------------------------------------------------

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= end) {
            return condition();
        }
        Sleep(5);
    }
}

bool Barrier(HWND edit) {
    const auto length = static_cast<WORD>(SendWithTimeout(edit, WM_GETTEXTLENGTH, 0, 0));
    if (length == 0) {
        return false;
    }
    const auto selection = [edit] { return static_cast<DWORD>(SendWithTimeout(edit, EM_GETSEL, 0, 0)); };
    const WORD target = selection() == static_cast<DWORD>(MAKELONG(length, length)) ? 0 : length;
    PostMessageW(edit, EM_SETSEL, target, target);
    return WaitUntil([&] { return selection() == static_cast<DWORD>(MAKELONG(target, target)); });
}

// ---- The product ----------------------------------------------------------------------------

Product::~Product() {
    if (Running()) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
    }
    if (process.hProcess != nullptr) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
}

bool Product::Running() const {
    return process.hProcess != nullptr && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

bool Start(Product& product, const std::wstring& exePath) {
    const std::wstring folder = exePath.substr(0, exePath.find_last_of(L"\\/"));
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &product.process) != 0;
}

namespace {

struct TopWindowSearch {
    DWORD processId;
    const std::wstring* caption;
    bool visible;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<TopWindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || (search.visible && !IsWindowVisible(window))) {
        return TRUE;
    }
    if (search.caption != nullptr && Text(window) != *search.caption) {
        return TRUE;
    }
    if (search.className != nullptr && ClassName(window) != search.className) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

HWND FindTopWindow(DWORD processId, const std::wstring* caption, bool visible, const wchar_t* className) {
    TopWindowSearch search{processId, caption, visible, className, nullptr};
    EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND WaitForTopWindow(const Product& product, const std::wstring& caption, bool visible, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopWindow(product.process.dwProcessId, &caption, visible, nullptr);
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

HWND StartAndTimeWindow(Product& product, const std::wstring& exePath, DWORD timeoutMs, double& milliseconds) {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!Start(product, exePath)) {
        return nullptr;
    }
    // Polled without waiting between tries, so that the figure is not rounded up to a poll period.
    HWND main = nullptr;
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (main == nullptr && GetTickCount64() < end) {
        main = WaitForTopWindow(product, kProductCaption, true, 0);
        Sleep(main == nullptr ? 1 : 0);
    }
    LARGE_INTEGER shown{};
    QueryPerformanceCounter(&shown);
    milliseconds =
        static_cast<double>(shown.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
    return main;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long long WaitForExit(const Product& product, DWORD timeoutMs) {
    if (WaitForSingleObject(product.process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(product.process.hProcess, &code);
    return code;
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L"\\/"));
}

namespace {

std::wstring ThisProgram() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::wstring CopyBesideProduct(const Options& options, const std::wstring& program) {
    const std::wstring copy = FolderOf(options.Get(L"product")) + L"\\" + program;
    const std::wstring original = FolderOf(ThisProgram()) + L"\\" + program;
    return CopyFileW(original.c_str(), copy.c_str(), FALSE) != 0 ? copy : L"";
}

std::wstring ReadTextFile(const std::wstring& path, UINT codePage) {
    OwnedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (file.handle == INVALID_HANDLE_VALUE) {
        file.handle = nullptr;
        return L"";
    }
    std::string bytes(static_cast<std::size_t>(GetFileSize(file.handle, nullptr)), '\0');
    DWORD read = 0;
    ReadFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return WideFromCodePage(bytes, codePage);
}

// ---- Windows and controls -------------------------------------------------------------------

namespace {

struct IdSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<IdSearch*>(lParam);
    if (GetDlgCtrlID(window) == search.id) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindById(HWND ancestor, int id) {
    IdSearch search{id, nullptr};
    EnumChildWindows(ancestor, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Find(HWND main, Ctl control) {
    return control == Ctl::主窗口 ? main : FindById(main, ControlId(control));
}

std::wstring Text(HWND window) {
    const LRESULT length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    const LRESULT copied =
        SendWithTimeout(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(text.size()) - 1)));
    return text;
}

std::wstring ClassName(HWND window) {
    std::wstring name(256, L'\0');
    name.resize(static_cast<std::size_t>(std::max(GetClassNameW(window, name.data(), 256), 0)));
    return name;
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT RectInParent(HWND window) {
    RECT rect = ScreenRect(window);
    const HWND parent = GetParent(window);
    if (parent != nullptr) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

RECT ClientRectOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

long Style(HWND window) {
    return GetWindowLongW(window, GWL_STYLE);
}

long ExStyle(HWND window) {
    return GetWindowLongW(window, GWL_EXSTYLE);
}

void SetText(HWND window, const std::wstring& text) {
    SendWithTimeout(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void PostClick(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void PostChars(HWND window, const std::wstring& characters) {
    for (const wchar_t c : characters) {
        PostMessageW(window, WM_CHAR, c, 1);
    }
}

void PostMouseClick(HWND window, POINT point) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    PostMessageW(window, WM_MOUSEMOVE, 0, where);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(window, WM_LBUTTONUP, 0, where);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int Scaled(int layoutPixels) {
    return MulDiv(layoutPixels, ScreenDpi(), 96);
}

// ---- Another process's memory ---------------------------------------------------------------

RemoteBuffer::RemoteBuffer(HANDLE p, std::size_t bytes)
    : process(p), address(VirtualAllocEx(p, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
    if (address != nullptr) {
        VirtualFreeEx(process, address, 0, MEM_RELEASE);
    }
}

bool RemoteBuffer::Write(const void* data, std::size_t bytes, std::size_t offset) const {
    return address != nullptr &&
           WriteProcessMemory(process, static_cast<char*>(address) + offset, data, bytes, nullptr) != 0;
}

bool RemoteBuffer::Read(void* data, std::size_t bytes, std::size_t offset) const {
    return address != nullptr &&
           ReadProcessMemory(process, static_cast<char*>(address) + offset, data, bytes, nullptr) != 0;
}

HANDLE ProcessOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE,
                       processId);
}

namespace {

constexpr int kRemoteTextChars = 4096;

// Sends a message whose structure (of type Item) points at a text buffer; both live in the
// control's process. Gives the structure and the text as the control left them.
template <typename Item, typename Prepare>
std::pair<Item, std::wstring> SendWithRemoteText(HWND control, UINT message, WPARAM wParam, Prepare prepare) {
    OwnedHandle process(ProcessOf(control));
    RemoteBuffer buffer(process.handle, sizeof(Item) + kRemoteTextChars * sizeof(wchar_t));
    Item item{};
    prepare(item, reinterpret_cast<wchar_t*>(buffer.At(sizeof(Item))), kRemoteTextChars);
    buffer.Write(&item, sizeof item);
    const std::wstring zeros(kRemoteTextChars, L'\0');
    buffer.Write(zeros.data(), zeros.size() * sizeof(wchar_t), sizeof(Item));
    SendWithTimeout(control, message, wParam, buffer.At());
    std::wstring text(kRemoteTextChars, L'\0');
    buffer.Read(&item, sizeof item);
    buffer.Read(text.data(), text.size() * sizeof(wchar_t), sizeof(Item));
    text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
    return {item, text};
}

}  // namespace

std::wstring ListCell(HWND list, int row, int column) {
    return SendWithRemoteText<LVITEMW>(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                       [&](LVITEMW& item, wchar_t* text, int size) {
                                           item.iSubItem = column;
                                           item.pszText = text;
                                           item.cchTextMax = size;
                                       })
        .second;
}

ListColumnInfo ListColumnOf(HWND list, int column) {
    const auto [header, title] = SendWithRemoteText<LVCOLUMNW>(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                                                               [](LVCOLUMNW& item, wchar_t* text, int size) {
                                                                   item.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
                                                                   item.pszText = text;
                                                                   item.cchTextMax = size;
                                                               });
    return ListColumnInfo{title, header.cx, header.fmt};
}

int ListRowCount(HWND list) {
    return static_cast<int>(SendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring ComboItem(HWND combo, int index) {
    const LRESULT length = SendWithTimeout(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return L"";
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendWithTimeout(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

std::wstring TabTitle(HWND tab, int page) {
    return SendWithRemoteText<TCITEMW>(tab, TCM_GETITEMW, static_cast<WPARAM>(page),
                                       [](TCITEMW& item, wchar_t* text, int size) {
                                           item.mask = TCIF_TEXT;
                                           item.pszText = text;
                                           item.cchTextMax = size;
                                       })
        .second;
}

RECT TabHeaderRect(HWND tab, int page) {
    OwnedHandle process(ProcessOf(tab));
    RemoteBuffer buffer(process.handle, sizeof(RECT));
    RECT rect{};
    SendWithTimeout(tab, TCM_GETITEMRECT, static_cast<WPARAM>(page), buffer.At());
    buffer.Read(&rect, sizeof rect);
    return rect;
}

void ClickTabPage(HWND tab, int page) {
    const RECT header = TabHeaderRect(tab, page);
    PostMouseClick(tab, POINT{(header.left + header.right) / 2, (header.top + header.bottom) / 2});
}

// ---- Dialogs --------------------------------------------------------------------------------

HWND WaitForDialog(DWORD processId, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopWindow(processId, nullptr, true, L"#32770");
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

std::wstring MessageBoxText(HWND box) {
    return Text(GetDlgItem(box, 0xFFFF));
}

void PostDialogCommand(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// ---- Screenshots ----------------------------------------------------------------------------

Image CaptureScreen(const RECT& area) {
    Image image;
    image.width = std::max<int>(area.right - area.left, 0);
    image.height = std::max<int>(area.bottom - area.top, 0);
    image.pixels.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 0);
    if (image.pixels.empty()) {
        return image;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, image.width, image.height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        const auto* source = static_cast<const std::uint32_t*>(bits);
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            image.pixels[i] = source[i] & 0x00FFFFFFu;
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

bool SaveBitmap(const Image& image, const std::wstring& path) {
    const int stride = (image.width * 3 + 3) / 4 * 4;
    const DWORD pixelBytes = static_cast<DWORD>(stride * image.height);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + pixelBytes;
    header.biSize = sizeof header;
    header.biWidth = image.width;
    header.biHeight = image.height;  // bottom row first
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(stride), '\0');
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t pixel = image.At(x, y);
            row[static_cast<std::size_t>(x * 3)] = static_cast<char>(pixel & 0xFF);
            row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>((pixel >> 8) & 0xFF);
            row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>((pixel >> 16) & 0xFF);
        }
        bytes += row;
    }
    OwnedHandle output(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (output.handle == INVALID_HANDLE_VALUE) {
        output.handle = nullptr;
        return false;
    }
    DWORD written = 0;
    return WriteFile(output.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
           written == bytes.size();
}

void Screenshot(const Options& options, HWND window, const std::wstring& name) {
    const std::wstring folder = options.Get(L"artifacts");
    if (folder.empty()) {
        return;
    }
    // Let the window finish painting what the last action changed.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(200);
    const std::wstring path = folder + L"\\" + name + L".bmp";
    if (SaveBitmap(CaptureScreen(ScreenRect(window)), path)) {
        Note(L"screenshot " + name);
    } else {
        Check(false, L"screenshot " + name + L" saved");
    }
}

// ---- Scenarios ------------------------------------------------------------------------------

ScenarioRegistration::ScenarioRegistration(const wchar_t* name, ScenarioFunction run, const wchar_t* summary) {
    Scenarios()[name] = ScenarioEntry{run, summary};
}

// ---- Built-in scenario: the Wine prefix's settings ------------------------------------------

namespace {

bool SetRegistryValue(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const bool done = RegSetValueExW(opened, name, 0, type, static_cast<const BYTE*>(data), bytes) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return done;
}

bool SetRegistryText(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& text) {
    return SetRegistryValue(root, key, name, REG_SZ, text.c_str(),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Wine reads these when its next session starts: a virtual desktop, so that windows get their
// caption bar and frame drawn (there is no window manager on the test display), and the DPI.
void RunPrepare(const Options& options) {
    const DWORD dpi = static_cast<DWORD>(_wtoi(options.Get(L"dpi", L"96").c_str()));
    Check(SetRegistryText(HKEY_CURRENT_USER, L"Software\\Wine\\Explorer", L"Desktop", L"Default") &&
              SetRegistryText(HKEY_CURRENT_USER, L"Software\\Wine\\Explorer\\Desktops", L"Default",
                              options.Get(L"desktop", L"1024x768")),
          L"Wine prefix: virtual desktop set");
    Check(SetRegistryValue(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi),
          L"Wine prefix: " + Number(dpi) + L" DPI set");
}
E2E_SCENARIO(L"prepare", RunPrepare, L"sets the Wine prefix's virtual desktop and DPI; --dpi=N --desktop=WxH");

}  // namespace

}  // namespace e2e

int main() {
    // Coordinates are compared in the product's own (DPI-aware) pixels.
    SetProcessDPIAware();
    // Lines end in LF alone, as run-e2e reads them.
    _setmode(_fileno(stdout), _O_BINARY);
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const auto& scenarios = e2e::Scenarios();
    const auto scenario = count >= 2 ? scenarios.find(arguments[1]) : scenarios.end();
    if (scenario == scenarios.end()) {
        e2e::PrintLine(L"usage: e2e_driver SCENARIO [--name=value ...]; scenarios:");
        for (const auto& [name, entry] : scenarios) {
            e2e::PrintLine(L"  " + name + L"  " + entry.summary);
        }
        LocalFree(arguments);
        return 2;
    }
    e2e::Options options;
    for (int i = 2; i < count; ++i) {
        const std::wstring argument = arguments[i];
        const std::size_t equals = argument.find(L'=');
        if (argument.rfind(L"--", 0) == 0 && equals != std::wstring::npos) {
            options.values[argument.substr(2, equals - 2)] = argument.substr(equals + 1);
        }
    }
    LocalFree(arguments);
    scenario->second.run(options);
    e2e::PrintLine(std::to_wstring(e2e::passed) + L" passed, " + std::to_wstring(e2e::failed) + L" failed");
    return e2e::failed == 0 ? 0 : 1;
}
