// The end-to-end driver: a Windows program that starts the product, acts on its window as a user
// would (from another process, with posted messages) and checks what it sees. It runs under Wine
// (tests/e2e/run-e2e) and prints one line per check, "ok - ..." or "FAIL - ...", then
// "N passed, N failed"; its exit status is non-zero on any failure.
//
//   e2e_driver.exe SCENARIO [--name=value ...]
//
// Scenarios live in files of their own (window_scenarios.cpp, ...), each registered with
// E2E_SCENARIO; run-e2e decides in which surroundings (network lab, bare namespace, failing
// sockets) each one runs. Options every scenario gets from run-e2e:
//   --product=PATH     the product exe, copied into a fresh folder for this scenario
//   --artifacts=DIR    where screenshots go (as .bmp; run-e2e converts them to .png)
//
// Texts are UTF-16 here, as the W APIs give them; the product's own code-page-936 texts are
// checked through what its controls show.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/windows_api.h"

#include <commctrl.h>

#include "ui/layout.h"

namespace e2e {

// The product's window caption and the caption of its every message box.
inline const std::wstring kProductCaption = L"远程唤醒.WOL";
inline const std::wstring kMessageCaption = L"信息：";

// ---- Checks and output ----------------------------------------------------------------------

// Prints "ok - what" or "FAIL - what" and counts it. Gives ok.
bool Check(bool ok, const std::wstring& what);
// With the values in the failure line.
bool CheckEqual(const std::wstring& what, const std::wstring& actual, const std::wstring& expected);
bool CheckEqual(const std::wstring& what, long long actual, long long expected);
// A line that is neither a pass nor a failure ("# ...").
void Note(const std::wstring& text);
int FailedCount();

std::wstring Quoted(const std::wstring& text);  // "text", with control characters escaped
std::wstring Number(long long value);

// ---- Options --------------------------------------------------------------------------------

struct Options {
    std::map<std::wstring, std::wstring> values;
    // The value of --name=value, or the fallback.
    std::wstring Get(const std::wstring& name, const std::wstring& fallback = L"") const;
};

// ---- Waiting --------------------------------------------------------------------------------

// Polls the condition every few milliseconds until it holds or the time is up; gives its last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Waits until the product's GUI thread has handled everything posted to it so far: posts a change
// of an edit box's selection behind it (the thread's posted messages run in order) and waits for
// that change to show. The edit box must hold some text. Gives false on a timeout.
bool Barrier(HWND edit);

// ---- The product ----------------------------------------------------------------------------

// A started product process; terminated when it goes, if it still runs.
struct Product {
    Product() = default;
    ~Product();
    Product(const Product&) = delete;
    Product& operator=(const Product&) = delete;

    PROCESS_INFORMATION process{};
    HWND main = nullptr;
    bool Running() const;
};

// Starts the exe with its own folder as the working folder.
bool Start(Product& product, const std::wstring& exePath);
// Starts the exe and waits until its main window shows; gives the window, or null when it did not
// start or show in time, and the milliseconds from the start to the window showing.
HWND StartAndTimeWindow(Product& product, const std::wstring& exePath, DWORD timeoutMs, double& milliseconds);
// The median of a non-empty list of figures.
double Median(std::vector<double> values);
// The top-level window of the product with the caption, once it exists (and is visible, if asked).
HWND WaitForTopWindow(const Product& product, const std::wstring& caption, bool visible, DWORD timeoutMs);
// Waits for the process to end; gives its exit code, or -1 when it is still running.
long long WaitForExit(const Product& product, DWORD timeoutMs);

// A test program built beside the driver (a host of some product code), copied into the folder of
// the product's fresh copy so that what it writes starts absent. Gives the copy's path, or "".
std::wstring CopyBesideProduct(const Options& options, const std::wstring& program);
std::wstring FolderOf(const std::wstring& path);
// A whole file's bytes read as text of the code page; "" when it cannot be read.
std::wstring ReadTextFile(const std::wstring& path, UINT codePage);

// ---- Windows and controls -------------------------------------------------------------------

// A descendant of the window by its control ID; null when there is none.
HWND FindById(HWND ancestor, int id);
// A control of the product's main window by its layout name.
HWND Find(HWND main, Ctl control);

std::wstring Text(HWND window);  // WM_GETTEXT
std::wstring ClassName(HWND window);
RECT RectInParent(HWND window);  // the outer rectangle in the parent's client coordinates
RECT ScreenRect(HWND window);
RECT ClientRectOf(HWND window);
long Style(HWND window);
long ExStyle(HWND window);

void SetText(HWND window, const std::wstring& text);          // WM_SETTEXT, as a paste would
void PostClick(HWND button);                                  // BM_CLICK
void PostChars(HWND window, const std::wstring& characters);  // one WM_CHAR each
// Posts a left click at a point of the window's client area.
void PostMouseClick(HWND window, POINT point);

// The DPI the product sees (the screen's), and layout pixels at that DPI.
int ScreenDpi();
int Scaled(int layoutPixels);

// ---- Another process's memory ---------------------------------------------------------------

// Memory in the product, for messages that carry a pointer to a structure.
struct RemoteBuffer {
    RemoteBuffer(HANDLE process, std::size_t bytes);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Write(const void* data, std::size_t bytes, std::size_t offset = 0) const;
    bool Read(void* data, std::size_t bytes, std::size_t offset = 0) const;
    LPARAM At(std::size_t offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char*>(address) + offset); }

    HANDLE process;
    void* address;
};

struct ListColumnInfo {
    std::wstring title;
    int width = 0;
    int format = 0;
};

HANDLE ProcessOf(HWND window);  // opened for memory access; close with CloseHandle
std::wstring ListCell(HWND list, int row, int column);
ListColumnInfo ListColumnOf(HWND list, int column);
int ListRowCount(HWND list);
std::wstring ComboItem(HWND combo, int index);
std::wstring TabTitle(HWND tab, int page);
RECT TabHeaderRect(HWND tab, int page);
// Makes the page current as the user does: a click on its header.
void ClickTabPage(HWND tab, int page);

// ---- Dialogs --------------------------------------------------------------------------------

// A dialog (class #32770) of the process, once one shows; null when none does in time.
HWND WaitForDialog(DWORD processId, DWORD timeoutMs);
// The text of a message box: its static with ID 0xFFFF.
std::wstring MessageBoxText(HWND box);
// Presses a dialog's button by posting its command (IDOK, IDCANCEL).
void PostDialogCommand(HWND dialog, int id);

// ---- Screenshots ----------------------------------------------------------------------------

// Pixels of a screen rectangle, top row first, each 0x00RRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};
Image CaptureScreen(const RECT& area);
bool SaveBitmap(const Image& image, const std::wstring& path);
// Saves the window's screen rectangle as artifacts/<name>.bmp; notes the path.
void Screenshot(const Options& options, HWND window, const std::wstring& name);

// ---- Scenarios ------------------------------------------------------------------------------

using ScenarioFunction = void (*)(const Options& options);

struct ScenarioRegistration {
    ScenarioRegistration(const wchar_t* name, ScenarioFunction run, const wchar_t* summary);
};

}  // namespace e2e

// Registers a scenario under a name, for the driver's command line.
#define E2E_SCENARIO(name, function, summary) \
    static const e2e::ScenarioRegistration function##Registration(name, function, summary)
