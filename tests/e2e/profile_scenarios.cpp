// Scenarios of the wake profiles on the real exe: wol.ini placed beforehand byte for byte, or
// absent; the combo box picked as a user picks it (with the mouse and with the arrow keys); adding,
// changing and deleting through the real name dialog; a read-only wol.ini; the program run from
// the root of a drive and from a folder whose name lies outside code page 936. Every scenario ends
// by closing the window and compares the file's bytes afterwards. The time to load many profiles
// into the window is measured here too.
//
// File contents are written and compared as bytes, spelled out here in code page 936 (the worked
// example in hex), never produced by the product's own reader or writer.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwctype>
#include <initializer_list>
#include <vector>

#include "tests/e2e/driver.h"

namespace {

using namespace e2e;

// ---- Files ----------------------------------------------------------------------------------

std::string Gbk(const std::wstring& text) {
    return CodePageFromWide(text, kCodePageGbk);
}

// The lines in code page 936, each followed by CR LF.
std::string FileOfLines(std::initializer_list<std::wstring> lines) {
    std::string bytes;
    for (const std::wstring& line : lines) {
        bytes += Gbk(line) + "\r\n";
    }
    return bytes;
}

// Two profiles, the second selected: 配置1=内网|1A-2B-3C-4D-5E-6F||, 配置2=外网|00-1D-60-AB-CD-EF|
// 203.0.113.10|9 and 上次选择=2, each with CR LF.
const unsigned char kExampleBytes[] = {
    0xC5, 0xE4, 0xD6, 0xC3, 0x31, 0x3D, 0xC4, 0xDA, 0xCD, 0xF8, 0x7C, 0x31, 0x41, 0x2D, 0x32, 0x42,  //
    0x2D, 0x33, 0x43, 0x2D, 0x34, 0x44, 0x2D, 0x35, 0x45, 0x2D, 0x36, 0x46, 0x7C, 0x7C, 0x0D, 0x0A,  //
    0xC5, 0xE4, 0xD6, 0xC3, 0x32, 0x3D, 0xCD, 0xE2, 0xCD, 0xF8, 0x7C, 0x30, 0x30, 0x2D, 0x31, 0x44,  //
    0x2D, 0x36, 0x30, 0x2D, 0x41, 0x42, 0x2D, 0x43, 0x44, 0x2D, 0x45, 0x46, 0x7C, 0x32, 0x30, 0x33,  //
    0x2E, 0x30, 0x2E, 0x31, 0x31, 0x33, 0x2E, 0x31, 0x30, 0x7C, 0x39, 0x0D, 0x0A, 0xC9, 0xCF, 0xB4,  //
    0xCE, 0xD1, 0xA1, 0xD4, 0xF1, 0x3D, 0x32, 0x0D, 0x0A,
};

std::string ExampleFile() {
    return std::string(reinterpret_cast<const char*>(kExampleBytes), sizeof kExampleBytes);
}

const wchar_t kExampleLine1[] = L"配置1=内网|1A-2B-3C-4D-5E-6F||";
const wchar_t kExampleLine2[] = L"配置2=外网|00-1D-60-AB-CD-EF|203.0.113.10|9";

// What a file holds, as the driver sees it.
struct FileState {
    bool exists = false;
    std::string bytes;
    ULONGLONG written = 0;  // last write time, 100 ns units
    DWORD attributes = 0;
};

FileState Inspect(const std::wstring& path) {
    FileState state;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return state;
    }
    state.exists = true;
    state.attributes = data.dwFileAttributes;
    state.written =
        (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return state;
    }
    state.bytes.resize(static_cast<std::size_t>(GetFileSize(file, nullptr)));
    DWORD read = 0;
    ReadFile(file, state.bytes.data(), static_cast<DWORD>(state.bytes.size()), &read, nullptr);
    state.bytes.resize(read);
    CloseHandle(file);
    return state;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool done = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
                      written == bytes.size();
    CloseHandle(file);
    return done;
}

// Dates the file back to 2001, so that a rewrite, even of the same bytes, shows in its write time.
bool DateBack(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    SYSTEMTIME date{};
    date.wYear = 2001;
    date.wMonth = 1;
    date.wDay = 1;
    FILETIME time{};
    const bool done = SystemTimeToFileTime(&date, &time) && SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    return done;
}

bool Placed(const std::wstring& path, const std::string& bytes) {
    return Check(WriteBytes(path, bytes) && DateBack(path),
                 L"wol.ini placed beforehand (" + Number(static_cast<long long>(bytes.size())) + L" bytes)");
}

std::wstring Shown(const std::string& bytes) {
    return Quoted(WideFromCodePage(bytes, kCodePageGbk)) + L" (" + Number(static_cast<long long>(bytes.size())) +
           L" bytes)";
}

bool CheckBytes(const std::wstring& what, const FileState& file, const std::string& expected) {
    if (!file.exists) {
        return Check(false, what + L": wol.ini is missing");
    }
    if (file.bytes == expected) {
        return Check(true, what + L" (" + Number(static_cast<long long>(expected.size())) + L" bytes)");
    }
    return Check(false, what + L": got " + Shown(file.bytes) + L", want " + Shown(expected));
}

bool CheckBytes(const std::wstring& what, const std::wstring& path, const std::string& expected) {
    return CheckBytes(what, Inspect(path), expected);
}

std::wstring IniBeside(const std::wstring& exe) {
    return FolderOf(exe) + L"\\wol.ini";
}

// ---- The window -----------------------------------------------------------------------------

// What the profile part of the window shows.
struct Shows {
    std::vector<std::wstring> items;
    int selected = -1;
    std::wstring mac, host, port;

    bool operator==(const Shows& other) const {
        return items == other.items && selected == other.selected && mac == other.mac && host == other.host &&
               port == other.port;
    }
};

// A message to a control of the product, which gives up when the product does not answer.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

Shows Current(HWND main) {
    const HWND combo = Find(main, Ctl::组合框_配置信息);
    Shows shows;
    const auto count = static_cast<int>(Send(combo, CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        shows.items.push_back(ComboItem(combo, i));
    }
    shows.selected = static_cast<int>(Send(combo, CB_GETCURSEL));
    shows.mac = Text(Find(main, Ctl::MAC框));
    shows.host = Text(Find(main, Ctl::IP框));
    shows.port = Text(Find(main, Ctl::端口框));
    return shows;
}

std::wstring Described(const Shows& shows) {
    std::wstring items;
    for (const std::wstring& item : shows.items) {
        items += (items.empty() ? L"" : L", ") + Quoted(item);
    }
    return L"items [" + items + L"], selected " + Number(shows.selected) + L", boxes " + Quoted(shows.mac) + L" " +
           Quoted(shows.host) + L" " + Quoted(shows.port);
}

// Waits for the window to show what is expected (a command may still be running). On a difference,
// each part is checked on its own line, so that the failure names the part that differs.
void CheckShows(HWND main, const std::wstring& when, const Shows& expected) {
    Shows actual;
    if (WaitUntil([&] {
            actual = Current(main);
            return actual == expected;
        })) {
        Check(true, when + L": " + Described(expected));
        return;
    }
    CheckEqual(when + L": number of combo items", static_cast<long long>(actual.items.size()),
               static_cast<long long>(expected.items.size()));
    for (std::size_t i = 0; i < std::min(actual.items.size(), expected.items.size()); ++i) {
        CheckEqual(when + L": combo item " + Number(static_cast<long long>(i)), actual.items[i], expected.items[i]);
    }
    CheckEqual(when + L": selected combo index", actual.selected, expected.selected);
    CheckEqual(when + L": MAC框", actual.mac, expected.mac);
    CheckEqual(when + L": IP框", actual.host, expected.host);
    CheckEqual(when + L": 端口框", actual.port, expected.port);
}

const wchar_t kExampleItem1[] = L"配置1||1A-2B-3C-4D-5E-6F";
const wchar_t kExampleItem2[] = L"配置2|203.0.113.10|00-1D-60-AB-CD-EF";

Shows ExampleShowing(int selected) {
    Shows shows;
    shows.items = {kExampleItem1, kExampleItem2};
    shows.selected = selected;
    if (selected == 0) {
        shows.mac = L"1A-2B-3C-4D-5E-6F";
    } else if (selected == 1) {
        shows = Shows{shows.items, 1, L"00-1D-60-AB-CD-EF", L"203.0.113.10", L"9"};
    }
    return shows;
}

bool LanChecked(HWND main) {
    return Send(Find(main, Ctl::单选框_内网), BM_GETCHECK) == BST_CHECKED &&
           Send(Find(main, Ctl::单选框_外网), BM_GETCHECK) == BST_UNCHECKED;
}

// Waits until the product's GUI thread has handled everything posted to it so far. The scan
// prefix box keeps its text while the first page is shown, which the barrier needs.
void Settle(HWND main) {
    if (!Barrier(Find(main, Ctl::编辑框_扫描网段))) {
        Check(false, L"the window answers");
    }
}

void CheckNoMessage(const Product& product, const std::wstring& when) {
    Check(WaitForDialog(product.process.dwProcessId, 300) == nullptr, when + L": no message");
}

HWND StartProduct(Product& product, const std::wstring& exe) {
    if (!Check(Start(product, exe), L"the product starts from " + exe)) {
        return nullptr;
    }
    const HWND main = WaitForTopWindow(product, kProductCaption, true, 20000);
    Check(main != nullptr, L"the main window shows");
    return main;
}

void CloseProduct(Product& product, HWND main) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    CheckEqual(L"closing the window ends the program with exit code 0", WaitForExit(product, 15000), 0);
}

RECT Union(const RECT& a, const RECT& b) {
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

// The main window together with a window of its own that may stick out of it (the dropped-down
// list, the name dialog), as artifacts/<name>.bmp.
void ScreenshotWith(const Options& options, HWND main, HWND other, const std::wstring& name) {
    const std::wstring folder = options.Get(L"artifacts");
    if (folder.empty()) {
        return;
    }
    Sleep(200);  // let both finish painting
    if (SaveBitmap(CaptureScreen(Union(ScreenRect(main), ScreenRect(other))), folder + L"\\" + name + L".bmp")) {
        Note(L"screenshot " + name);
    } else {
        Check(false, L"screenshot " + name + L" saved");
    }
}

// ---- Picking a profile as the user does -----------------------------------------------------

void PostKey(HWND window, UINT key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// The arrow keys on the closed combo box: each press moves the selection by one and raises the
// item-picked event, as for a user.
void PickWithKeys(HWND main, int from, int to) {
    const HWND combo = Find(main, Ctl::组合框_配置信息);
    for (int i = from; i != to; i += to > from ? 1 : -1) {
        PostKey(combo, to > from ? VK_DOWN : VK_UP);
    }
    Settle(main);
}

struct ListSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchDroppedList(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<ListSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search.processId && IsWindowVisible(window) && ClassName(window) == L"ComboLBox") {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The combo box's list while it is dropped down: a top-level window of the product's process.
HWND DroppedList(const Product& product) {
    ListSearch search{product.process.dwProcessId, nullptr};
    EnumWindows(MatchDroppedList, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// With the mouse: a click on the combo box drops its list down, a click on an item picks it and
// closes the list. The screenshot shows the window with the list open.
void PickWithMouse(const Options& options, const Product& product, HWND main, int index, const std::wstring& shot) {
    const HWND combo = Find(main, Ctl::组合框_配置信息);
    const RECT box = ClientRectOf(combo);
    const LPARAM arrow = MAKELPARAM(box.right - Scaled(8), (box.top + box.bottom) / 2);
    PostMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
    PostMessageW(combo, WM_LBUTTONUP, 0, arrow);
    HWND list = nullptr;
    WaitUntil([&] { return (list = DroppedList(product)) != nullptr; });
    if (!Check(list != nullptr, L"a click on 组合框_配置信息 drops its list down")) {
        return;
    }
    ScreenshotWith(options, main, list, shot);
    const auto itemHeight = static_cast<int>(Send(list, LB_GETITEMHEIGHT));
    const auto top = static_cast<int>(Send(list, LB_GETTOPINDEX));
    PostMouseClick(list, POINT{ClientRectOf(list).right / 2, (index - top) * itemHeight + itemHeight / 2});
    Check(WaitUntil([list] { return !IsWindowVisible(list); }),
          L"a click on item " + Number(index) + L" closes the list");
    Settle(main);
}

// ---- The name dialog ------------------------------------------------------------------------

// Clicks the button and checks the name dialog that shows: caption, prompt and proposed name.
HWND OpenNameDialog(const Product& product,
                    HWND main,
                    Ctl button,
                    const std::wstring& prompt,
                    const std::wstring& proposed,
                    const std::wstring& when) {
    PostClick(Find(main, button));
    const HWND dialog = WaitForDialog(product.process.dwProcessId, 10000);
    if (!Check(dialog != nullptr, when + L": the name dialog shows")) {
        return nullptr;
    }
    CheckEqual(when + L": dialog caption", Text(dialog), prompt);
    CheckEqual(when + L": dialog prompt", Text(GetDlgItem(dialog, kNameDialogPromptId)), prompt);
    CheckEqual(when + L": the name proposed", Text(GetDlgItem(dialog, kNameDialogEditId)), proposed);
    return dialog;
}

enum class Answer { Ok, Cancel };

// Types the name over the proposed one (selected when the dialog opens), or empties the field with
// the Delete key when the name is empty, or leaves it when typed is null; then answers and waits
// until the command behind the dialog has finished.
void AnswerNameDialog(HWND main, HWND dialog, const wchar_t* typed, Answer answer, const std::wstring& when) {
    if (dialog == nullptr) {
        return;
    }
    const HWND field = GetDlgItem(dialog, kNameDialogEditId);
    if (typed != nullptr) {
        if (*typed == L'\0') {
            PostKey(field, VK_DELETE);
        } else {
            PostChars(field, typed);
        }
        Check(WaitUntil([&] { return Text(field) == typed; }), when + L": typed " + Quoted(typed));
    }
    PostClick(GetDlgItem(dialog, answer == Answer::Ok ? IDOK : IDCANCEL));
    Check(WaitUntil([dialog] { return !IsWindow(dialog); }), when + L": the dialog closes");
    Settle(main);
}

// ---- Scenarios ------------------------------------------------------------------------------

// The worked example: what the window shows of it, picking with the mouse and the keys, and the
// same 89 bytes written again on closing.
void RunExample(const Options& options) {
    const std::wstring exe = options.Get(L"product");
    const std::wstring ini = IniBeside(exe);
    Check(ExampleFile() == FileOfLines({kExampleLine1, kExampleLine2, L"上次选择=2"}) && ExampleFile().size() == 89,
          L"the example's bytes are its three lines in code page 936");
    if (!Placed(ini, ExampleFile())) {
        return;
    }
    const ULONGLONG placedTime = Inspect(ini).written;
    Product product;
    const HWND main = StartProduct(product, exe);
    if (main == nullptr) {
        return;
    }
    CheckNoMessage(product, L"start-up");
    CheckShows(main, L"at start", ExampleShowing(1));
    Check(LanChecked(main) && !IsWindowVisible(Find(main, Ctl::分组框_外网信息)),
          L"at start: the WAN profile shown leaves 内网 checked and the host and port group hidden");
    Screenshot(options, main, L"example");

    PickWithMouse(options, product, main, 0, L"example-dropped-down");
    CheckShows(main, L"配置1 picked with the mouse", ExampleShowing(0));
    PickWithKeys(main, 0, 1);
    CheckShows(main, L"配置2 picked with the down arrow", ExampleShowing(1));
    Check(LanChecked(main) && !IsWindowVisible(Find(main, Ctl::分组框_外网信息)),
          L"picking leaves the radio buttons and the host and port group as they were");
    Check(Inspect(ini).written == placedTime, L"picking writes nothing");

    CloseProduct(product, main);
    const FileState after = Inspect(ini);
    CheckBytes(L"closing writes the same 89 bytes", after, ExampleFile());
    Check(after.written != placedTime, L"closing rewrote the file (its write time changed)");
}
E2E_SCENARIO(L"profiles-example", RunExample, L"the worked example placed beforehand, picked and written again");

// No wol.ini: an empty combo box, the design-time texts of the three boxes replaced by nothing, no
// message; closing writes the last-selection line alone.
void RunFirstStart(const Options& options) {
    const std::wstring exe = options.Get(L"product");
    const std::wstring ini = IniBeside(exe);
    Check(!Exists(ini), L"no wol.ini beforehand");
    Product product;
    const HWND main = StartProduct(product, exe);
    if (main == nullptr) {
        return;
    }
    CheckNoMessage(product, L"start-up");
    CheckShows(main, L"first start", Shows{});
    Check(!Exists(ini), L"starting writes no file");
    Screenshot(options, main, L"first-start");
    CloseProduct(product, main);
    CheckBytes(L"closing writes 上次选择=0", ini, FileOfLines({L"上次选择=0"}));
}
E2E_SCENARIO(L"profiles-first-start", RunFirstStart, L"the first start, without wol.ini");

// Adding through the real dialog, from a first start: Cancel and an emptied field add nothing and
// write nothing; OK adds the typed name in LAN mode, then the proposed name in WAN mode.
void RunAdd(const Options& options) {
    const std::wstring exe = options.Get(L"product");
    const std::wstring ini = IniBeside(exe);
    Product product;
    const HWND main = StartProduct(product, exe);
    if (main == nullptr) {
        return;
    }
    const std::wstring prompt = L"请输入配置名称";

    HWND dialog = OpenNameDialog(product, main, Ctl::按钮_添加, prompt, L"配置1", L"添加, Cancel");
    ScreenshotWith(options, main, dialog, L"add-dialog");
    AnswerNameDialog(main, dialog, L"不要", Answer::Cancel, L"添加, Cancel");
    CheckShows(main, L"after Cancel", Shows{});
    Check(!Exists(ini), L"after Cancel: no file written");

    SetText(Find(main, Ctl::MAC框), L"1A-2B-3C-4D-5E-6F");
    SetText(Find(main, Ctl::IP框), L"192.168.1.62");
    dialog = OpenNameDialog(product, main, Ctl::按钮_添加, prompt, L"配置1", L"添加, emptied field");
    AnswerNameDialog(main, dialog, L"", Answer::Ok, L"添加, emptied field");
    CheckShows(main, L"after OK with the field emptied", Shows{{}, -1, L"1A-2B-3C-4D-5E-6F", L"192.168.1.62", L""});
    Check(!Exists(ini), L"after OK with the field emptied: no file written");

    dialog = OpenNameDialog(product, main, Ctl::按钮_添加, prompt, L"配置1", L"添加 in LAN mode");
    AnswerNameDialog(main, dialog, L"办公室 1", Answer::Ok, L"添加 in LAN mode");
    // The name is kept as typed; a LAN profile keeps no host or port, so the boxes empty.
    CheckShows(main, L"after adding in LAN mode",
               Shows{{L"办公室 1||1A-2B-3C-4D-5E-6F"}, 0, L"1A-2B-3C-4D-5E-6F", L"", L""});
    CheckBytes(L"after adding in LAN mode: the file", ini,
               FileOfLines({L"办公室 1=内网|1A-2B-3C-4D-5E-6F||", L"上次选择=0"}));

    PostClick(Find(main, Ctl::单选框_外网));
    Check(WaitUntil([&] { return IsWindowVisible(Find(main, Ctl::分组框_外网信息)); }),
          L"外网 clicked: the host and port group shows");
    SetText(Find(main, Ctl::MAC框), L"00-1D-60-AB-CD-EF");
    SetText(Find(main, Ctl::IP框), L"203.0.113.10");
    SetText(Find(main, Ctl::端口框), L"9");
    dialog = OpenNameDialog(product, main, Ctl::按钮_添加, prompt, L"配置2", L"添加 in WAN mode");
    AnswerNameDialog(main, dialog, nullptr, Answer::Ok, L"添加 in WAN mode");
    CheckShows(main, L"after adding in WAN mode",
               Shows{{L"办公室 1||1A-2B-3C-4D-5E-6F", L"配置2|203.0.113.10|00-1D-60-AB-CD-EF"},
                     1,
                     L"00-1D-60-AB-CD-EF",
                     L"203.0.113.10",
                     L"9"});
    CheckBytes(L"after adding in WAN mode: the file, with the selection from before the command", ini,
               FileOfLines({L"办公室 1=内网|1A-2B-3C-4D-5E-6F||", L"配置2=外网|00-1D-60-AB-CD-EF|203.0.113.10|9",
                            L"上次选择=1"}));
    CheckNoMessage(product, L"adding");
    Screenshot(options, main, L"added");

    CloseProduct(product, main);
    CheckBytes(L"closing saves the selection", ini,
               FileOfLines({L"办公室 1=内网|1A-2B-3C-4D-5E-6F||", L"配置2=外网|00-1D-60-AB-CD-EF|203.0.113.10|9",
                            L"上次选择=2"}));
}
E2E_SCENARIO(L"profiles-add", RunAdd, L"adding profiles through the name dialog: OK, Cancel, an emptied field");

// Changing the selected profile of the example: Cancel keeps the name but takes the boxes and the
// radio button; OK takes the typed name; an emptied field changes nothing and writes nothing.
void RunChange(const Options& options) {
    const std::wstring exe = options.Get(L"product");
    const std::wstring ini = IniBeside(exe);
    if (!Placed(ini, ExampleFile())) {
        return;
    }
    Product product;
    const HWND main = StartProduct(product, exe);
    if (main == nullptr) {
        return;
    }
    const std::wstring prompt = L"请输入新的配置名称";
    CheckShows(main, L"at start", ExampleShowing(1));

    SetText(Find(main, Ctl::MAC框), L"AA-BB-CC-DD-EE-FF");
    HWND dialog = OpenNameDialog(product, main, Ctl::按钮_更改, prompt, L"配置2", L"更改, Cancel");
    ScreenshotWith(options, main, dialog, L"change-dialog");
    AnswerNameDialog(main, dialog, L"不要", Answer::Cancel, L"更改, Cancel");
    CheckShows(
        main, L"after Cancel",
        Shows{
            {kExampleItem1, L"配置2|203.0.113.10|AA-BB-CC-DD-EE-FF"}, 1, L"AA-BB-CC-DD-EE-FF", L"203.0.113.10", L"9"});
    CheckBytes(L"after Cancel: the profile keeps its name and takes the boxes and 内网", ini,
               FileOfLines({kExampleLine1, L"配置2=内网|AA-BB-CC-DD-EE-FF|203.0.113.10|9", L"上次选择=2"}));

    PostClick(Find(main, Ctl::单选框_外网));
    SetText(Find(main, Ctl::端口框), L"7");
    dialog = OpenNameDialog(product, main, Ctl::按钮_更改, prompt, L"配置2", L"更改, OK");
    AnswerNameDialog(main, dialog, L"机房", Answer::Ok, L"更改, OK");
    const std::string changed =
        FileOfLines({kExampleLine1, L"机房=外网|AA-BB-CC-DD-EE-FF|203.0.113.10|7", L"上次选择=2"});
    const Shows changedShows{
        {kExampleItem1, L"机房|203.0.113.10|AA-BB-CC-DD-EE-FF"}, 1, L"AA-BB-CC-DD-EE-FF", L"203.0.113.10", L"7"};
    CheckShows(main, L"after OK", changedShows);
    CheckBytes(L"after OK: the new name, 外网 and the boxes", ini, changed);

    Check(DateBack(ini), L"wol.ini dated back");
    const ULONGLONG datedTime = Inspect(ini).written;
    SetText(Find(main, Ctl::MAC框), L"11-22-33-44-55-66");
    dialog = OpenNameDialog(product, main, Ctl::按钮_更改, prompt, L"机房", L"更改, emptied field");
    AnswerNameDialog(main, dialog, L"", Answer::Ok, L"更改, emptied field");
    Shows untouched = changedShows;
    untouched.mac = L"11-22-33-44-55-66";
    CheckShows(main, L"after OK with the field emptied", untouched);
    const FileState afterEmptied = Inspect(ini);
    CheckBytes(L"after OK with the field emptied: the file", afterEmptied, changed);
    Check(afterEmptied.written == datedTime, L"after OK with the field emptied: the file was not written");
    CheckNoMessage(product, L"changing");

    CloseProduct(product, main);
    CheckBytes(L"closing: the typed MAC belongs to no profile", ini, changed);
}
E2E_SCENARIO(L"profiles-change",
             RunChange,
             L"changing a profile through the name dialog: Cancel, OK, an emptied field");

// Deleting the only profile: an empty combo box, empty boxes, and a file that still names the
// deleted position until the window closes.
void RunDeleteOnly(const Options& options) {
    const std::wstring exe = options.Get(L"product");
    const std::wstring ini = IniBeside(exe);
    if (!Placed(ini, FileOfLines({kExampleLine1, L"上次选择=1"}))) {
        return;
    }
    Product product;
    const HWND main = StartProduct(product, exe);
    if (main == nullptr) {
        return;
    }
    CheckShows(main, L"at start", Shows{{kExampleItem1}, 0, L"1A-2B-3C-4D-5E-6F", L"", L""});
    PostClick(Find(main, Ctl::按钮_删除));
    Settle(main);
    CheckShows(main, L"after 删除", Shows{});
    CheckBytes(L"after 删除: the file is the line 上次选择=1 alone", ini, FileOfLines({L"上次选择=1"}));
    CheckNoMessage(product, L"删除");
    CloseProduct(product, main);
    CheckBytes(L"closing records that nothing is selected", ini, FileOfLines({L"上次选择=0"}));
}
E2E_SCENARIO(L"profiles-delete-only", RunDeleteOnly, L"deleting the only profile");

// A read-only wol.ini: every command's save fails, silently, and its reload brings back what the
// file holds; the file is never touched and the program ends normally.
void RunReadOnly(const Options& options) {
    const std::wstring exe = options.Get(L"product");
    const std::wstring ini = IniBeside(exe);
    if (!Placed(ini, ExampleFile())) {
        return;
    }
    Check(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY) != 0 &&
              (Inspect(ini).attributes & FILE_ATTRIBUTE_READONLY) != 0,
          L"wol.ini made read-only");
    const FileState before = Inspect(ini);
    Product product;
    const HWND main = StartProduct(product, exe);
    if (main == nullptr) {
        return;
    }
    CheckShows(main, L"at start", ExampleShowing(1));
    PickWithKeys(main, 1, 0);
    CheckShows(main, L"配置1 picked", ExampleShowing(0));

    HWND dialog = OpenNameDialog(product, main, Ctl::按钮_添加, L"请输入配置名称", L"配置3", L"添加");
    AnswerNameDialog(main, dialog, L"新配置", Answer::Ok, L"添加");
    // The reload shows the file's two profiles; the command then selects the last of them.
    CheckShows(main, L"after 添加: the new profile vanished", ExampleShowing(1));
    CheckNoMessage(product, L"添加");

    SetText(Find(main, Ctl::MAC框), L"AA-BB-CC-DD-EE-FF");
    dialog = OpenNameDialog(product, main, Ctl::按钮_更改, L"请输入新的配置名称", L"配置2", L"更改");
    AnswerNameDialog(main, dialog, L"改名", Answer::Ok, L"更改");
    CheckShows(main, L"after 更改: the change vanished", ExampleShowing(1));
    CheckNoMessage(product, L"更改");

    PostClick(Find(main, Ctl::按钮_删除));
    Settle(main);
    CheckShows(main, L"after 删除: the profile is back, nothing selected", ExampleShowing(-1));
    CheckNoMessage(product, L"删除");

    CloseProduct(product, main);
    const FileState after = Inspect(ini);
    CheckBytes(L"after closing: wol.ini unchanged", after, ExampleFile());
    Check(after.written == before.written, L"after closing: wol.ini was never written");
    Check((after.attributes & FILE_ATTRIBUTE_READONLY) != 0, L"after closing: wol.ini is still read-only");
    Check(!Exists(ini + L".tmp"), L"no temporary file is left beside it");
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
}
E2E_SCENARIO(L"profiles-read-only", RunReadOnly, L"a read-only wol.ini: commands fail silently, the file stays");

// The path of the product's exe as Windows gives it to the program itself, which takes its folder
// from it.
std::wstring ImagePath(const Product& product) {
    std::wstring path(32768, L'\0');
    auto length = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(product.process.hProcess, 0, path.data(), &length)) {
        return L"";
    }
    path.resize(length);
    return path;
}

// Runs the product from another folder than the one run-e2e made (the exe is copied there, or
// reached through a drive letter), with the example placed beside it: it must read that wol.ini
// and write it back there, with the selection picked.
void RunFromFolder(const std::wstring& exe, const std::wstring& ini) {
    if (!Check(Exists(exe), L"the exe is at " + exe) || !Placed(ini, ExampleFile())) {
        return;
    }
    Product product;
    const HWND main = StartProduct(product, exe);
    if (main == nullptr) {
        return;
    }
    CheckNoMessage(product, L"start-up");
    CheckEqual(L"the program's path as the system gives it", ImagePath(product), exe);
    CheckShows(main, L"the example loaded from " + ini, ExampleShowing(1));
    PickWithKeys(main, 1, 0);
    CheckShows(main, L"配置1 picked", ExampleShowing(0));
    CloseProduct(product, main);
    CheckBytes(L"closing writes " + ini, ini, FileOfLines({kExampleLine1, kExampleLine2, L"上次选择=1"}));
}

// The product in the root of a drive: run-e2e maps the drive letter (--drive=L) to the folder of
// the product's copy, so L:\wol.exe is that copy and L:\wol.ini lies beside it.
void RunDriveRoot(const Options& options) {
    const std::wstring letter = options.Get(L"drive");
    if (!Check(letter.size() == 1, L"a drive letter is given (--drive=L)")) {
        return;
    }
    const std::wstring root = std::wstring(1, static_cast<wchar_t>(towupper(letter[0]))) + L":";
    RunFromFolder(root + L"\\wol.exe", root + L"\\wol.ini");
    CheckBytes(L"the file is in the mapped folder", IniBeside(options.Get(L"product")),
               FileOfLines({kExampleLine1, kExampleLine2, L"上次选择=1"}));
}
E2E_SCENARIO(L"profiles-drive-root", RunDriveRoot, L"the product run from the root of a drive; --drive=L");

// The product in a folder whose name holds an emoji, which code page 936 cannot spell.
void RunEmojiFolder(const Options& options) {
    const std::wstring parent = FolderOf(options.Get(L"product"));
    const std::wstring folder = parent + L"\\唤醒 \U0001F600 wol";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring exe = folder + L"\\wol.exe";
    Check(CopyFileW(options.Get(L"product").c_str(), exe.c_str(), FALSE) != 0, L"the exe copied into " + folder);
    RunFromFolder(exe, folder + L"\\wol.ini");
    Check(!Exists(parent + L"\\wol.ini"), L"no wol.ini written in the folder above");
}
E2E_SCENARIO(L"profiles-emoji-folder", RunEmojiFolder, L"the product run from a folder named outside code page 936");

// Alternating LAN and WAN profiles of a typical size, the middle one selected.
std::string ManyProfiles(int count) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(count) * 48);
    char line[96];
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0) {
            std::snprintf(line, sizeof line, "=%s|00-1D-60-%02X-%02X-%02X||\r\n", Gbk(L"内网").c_str(),
                          (i >> 16) & 0xFF, (i >> 8) & 0xFF, i & 0xFF);
        } else {
            std::snprintf(line, sizeof line, "=%s|00-1D-60-%02X-%02X-%02X|203.0.113.%d|9\r\n", Gbk(L"外网").c_str(),
                          (i >> 16) & 0xFF, (i >> 8) & 0xFF, i & 0xFF, i % 250);
        }
        bytes += Gbk(L"配置" + Number(i + 1)) + line;
    }
    return bytes + Gbk(L"上次选择=" + Number(count / 2)) + "\r\n";
}

// The time from the product's start to its window showing with every profile of a large wol.ini
// in the combo box, warm: the median of several runs after one that is not counted.
void RunLoadTime(const Options& options) {
    const int count = std::max(1, _wtoi(options.Get(L"count", L"10000").c_str()));
    const int runs = std::max(1, _wtoi(options.Get(L"runs", L"5").c_str()));
    const std::wstring exe = options.Get(L"product");
    const std::string file = ManyProfiles(count);
    std::vector<double> times;
    for (int run = 0; run <= runs; ++run) {
        // Each close writes the file again; it is placed anew so that every run loads the same.
        if (!WriteBytes(IniBeside(exe), file)) {
            Check(false, L"wol.ini placed beforehand");
            return;
        }
        Product product;
        double ms = 0;
        const HWND main = StartAndTimeWindow(product, exe, 60000, ms);
        if (main == nullptr) {
            Check(false, L"the product starts and its main window shows");
            return;
        }
        const HWND combo = Find(main, Ctl::组合框_配置信息);
        const auto items = static_cast<int>(Send(combo, CB_GETCOUNT));
        if (!CheckEqual(L"run " + Number(run) + L": the window shows with every profile in the combo box", items,
                        count)) {
            return;
        }
        Note(L"run " + Number(run) + (run == 0 ? L" (warm-up)" : L"") + L": " + Number(std::llround(ms)) + L" ms");
        if (run > 0) {
            times.push_back(ms);
        }
        PostMessageW(main, WM_CLOSE, 0, 0);
        WaitForExit(product, 60000);
    }
    Note(L"profiles_wine_load_" + Number(count) + L": " + Number(std::llround(Median(times))) + L" ms");
}
E2E_SCENARIO(L"profiles-load-time",
             RunLoadTime,
             L"median time from start to the window shown with a large wol.ini loaded; --count=N --runs=N");

}  // namespace
