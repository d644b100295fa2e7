// Scenarios of the main window itself: its frame, every control's class, place, size, text and
// first state, the narrow and wide layout, the pages, the LAN/WAN group, the number-only boxes,
// the progress label, closing; the start-up's socket messages; a failing own-address lookup; the
// time until the window shows.
//
// The expected values are this file's own table, written from the window's description, not read
// from the product's layout code: the point is to compare the real window with what it should be.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/e2e/driver.h"

namespace {

using namespace e2e;

const std::wstring kUsageText =
    L"1、首先，你的主板必须支持WOL网卡唤醒，并且先在BIOS里设置网卡唤醒(网卡唤醒、PECI唤醒等设置，不同主板可能名称不同，"
    L"请自行百度)为激活状态！注意！必须是有线网卡，现在很多无线网卡不一定支持！！！\r\n"
    L"2、在系统设置里，把“关机网络唤醒”、“魔术封包唤醒”等功能设置为“开启”\r\n"
    L"3、内网唤醒：完成上述两个步骤之后，只需要填入被唤醒电脑的MAC地址，然后单击“内网发送”即可。\r\n"
    L"4、外网唤醒：首先，在路由器绑定被唤醒电脑的IP和MAC，然后在路由器中映射出被唤醒电脑的任意端口(我默认的端口号是9)，"
    L"同时，填入被唤醒电脑的外网IP，或者域名（建议大家可以注册一个DDNS，即便外网变更IP后，仍然可以使用动态域名），"
    L"填写完成后，单击外网发送！\r\n"
    L"5、本源码非原创，是在某位大佬的源码基础上稍作了修改，保证了本源码100%可用。若是不会使用，请自行百度！\r\n";

enum class Kind { Tab, GroupBox, Label, DropDown, Button, Radio, Edit, NumberEdit, Progress, List };

struct Expected {
    Ctl control;
    const wchar_t* name;
    Kind kind;
    Ctl parent;
    int page;  // 0 or 1
    int x, y, width, height;
    const wchar_t* text;  // null: not checked here
};

// At start. The texts of MAC框, IP框 and 端口框 are not checked: loading the profiles at start-up
// replaces them (the profile scenarios check that).
const Expected kControls[] = {
    {Ctl::分组框, L"分组框", Kind::GroupBox, Ctl::选择夹1, 0, 0, 20, 296, 248, L""},
    {Ctl::分组框2, L"分组框2", Kind::GroupBox, Ctl::分组框, 0, 8, 8, 280, 72, L""},
    {Ctl::标签5, L"标签5", Kind::Label, Ctl::分组框2, 0, 8, 8, 32, 24, L"配置:"},
    {Ctl::组合框_配置信息, L"组合框_配置信息", Kind::DropDown, Ctl::分组框2, 0, 40, 8, 232, 20, L""},
    {Ctl::按钮_添加, L"按钮_添加", Kind::Button, Ctl::分组框2, 0, 8, 40, 32, 24, L"添加"},
    {Ctl::按钮_更改, L"按钮_更改", Kind::Button, Ctl::分组框2, 0, 40, 40, 32, 24, L"更改"},
    {Ctl::按钮_删除, L"按钮_删除", Kind::Button, Ctl::分组框2, 0, 72, 40, 32, 24, L"删除"},
    {Ctl::按钮2, L"按钮2", Kind::Button, Ctl::分组框2, 0, 236, 40, 32, 24, L"帮助"},
    {Ctl::分组框3, L"分组框3", Kind::GroupBox, Ctl::分组框, 0, 8, 80, 280, 72, L""},
    {Ctl::标签3, L"标签3", Kind::Label, Ctl::分组框3, 0, 8, 16, 120, 16, L"MAC地址（:或-分隔）"},
    {Ctl::MAC框, L"MAC框", Kind::Edit, Ctl::分组框3, 0, 152, 12, 120, 24, nullptr},
    {Ctl::单选框_内网, L"单选框_内网", Kind::Radio, Ctl::分组框3, 0, 8, 40, 48, 24, L"内网"},
    {Ctl::单选框_外网, L"单选框_外网", Kind::Radio, Ctl::分组框3, 0, 64, 40, 48, 24, L"外网"},
    {Ctl::按钮1, L"按钮1", Kind::Button, Ctl::分组框3, 0, 180, 40, 92, 24, L"发送WOL"},
    {Ctl::分组框_外网信息, L"分组框_外网信息", Kind::GroupBox, Ctl::分组框, 0, 8, 151, 280, 88, L""},
    {Ctl::标签_IP, L"标签_IP", Kind::Label, Ctl::分组框_外网信息, 0, 8, 16, 164, 16, L"主机名称（IP地址 或 域名）"},
    {Ctl::IP框, L"IP框", Kind::Edit, Ctl::分组框_外网信息, 0, 8, 34, 192, 24, nullptr},
    {Ctl::标签_端口, L"标签_端口", Kind::Label, Ctl::分组框_外网信息, 0, 209, 16, 63, 16, L"端口,默认9"},
    {Ctl::端口框, L"端口框", Kind::NumberEdit, Ctl::分组框_外网信息, 0, 228, 34, 40, 24, nullptr},
    {Ctl::标签4, L"标签4", Kind::Label, Ctl::分组框_外网信息, 0, 8, 64, 256, 16,
     L"内网唤醒不用填IP和端口，外网自动解析域名。"},
    {Ctl::分组框1, L"分组框1", Kind::GroupBox, Ctl::分组框, 0, 296, 8, 312, 232, L"使用方法"},
    {Ctl::透明标签1, L"透明标签1", Kind::Label, Ctl::分组框1, 0, 8, 16, 304, 208, kUsageText.c_str()},

    {Ctl::标签1, L"标签1", Kind::Label, Ctl::选择夹1, 1, 8, 48, 56, 24, L"扫描网段"},
    {Ctl::编辑框_扫描网段, L"编辑框_扫描网段", Kind::Edit, Ctl::选择夹1, 1, 64, 50, 80, 20, L"192.168.1."},
    {Ctl::标签7, L"标签7", Kind::Label, Ctl::选择夹1, 1, 160, 48, 88, 24, L"第三个点后不填"},
    {Ctl::标签2, L"标签2", Kind::Label, Ctl::选择夹1, 1, 8, 72, 56, 24, L"起始值"},
    {Ctl::编辑框_扫描起始值, L"编辑框_扫描起始值", Kind::NumberEdit, Ctl::选择夹1, 1, 64, 74, 40, 20, L"0"},
    {Ctl::标签6, L"标签6", Kind::Label, Ctl::选择夹1, 1, 120, 72, 56, 24, L"结束值"},
    {Ctl::编辑框_扫描结束值, L"编辑框_扫描结束值", Kind::NumberEdit, Ctl::选择夹1, 1, 176, 74, 40, 20, L"255"},
    {Ctl::标签8, L"标签8", Kind::Label, Ctl::选择夹1, 1, 8, 104, 56, 24, L"线程数"},
    {Ctl::编辑框_扫描线程数, L"编辑框_扫描线程数", Kind::NumberEdit, Ctl::选择夹1, 1, 64, 106, 40, 20, L"8"},
    {Ctl::标签9, L"标签9", Kind::Label, Ctl::选择夹1, 1, 112, 104, 136, 24, L"线程过高也不会加快很多"},
    {Ctl::标签10, L"标签10", Kind::Label, Ctl::选择夹1, 1, 48, 128, 176, 24, L"扫描0-255大约需要3分钟,180秒"},
    {Ctl::按钮4, L"按钮4", Kind::Button, Ctl::选择夹1, 1, 80, 160, 80, 32, L"扫描"},
    {Ctl::按钮5, L"按钮5", Kind::Button, Ctl::选择夹1, 1, 200, 160, 56, 32, L"停止"},
    {Ctl::进度条1, L"进度条1", Kind::Progress, Ctl::选择夹1, 1, 8, 200, 248, 24, L""},
    {Ctl::标签_进度条, L"标签_进度条", Kind::Label, Ctl::选择夹1, 1, 64, 204, 136, 16, L"0/256"},
    {Ctl::超级列表框1, L"超级列表框1", Kind::List, Ctl::选择夹1, 1, 264, 48, 352, 192, L""},
    {Ctl::编辑框_所选IP, L"编辑框_所选IP", Kind::Edit, Ctl::选择夹1, 1, 264, 248, 104, 20, L"所选IP"},
    {Ctl::编辑框_所选主机名, L"编辑框_所选主机名", Kind::Edit, Ctl::选择夹1, 1, 374, 248, 112, 20, L"所选主机名"},
    {Ctl::编辑框_所选MAC, L"编辑框_所选MAC", Kind::Edit, Ctl::选择夹1, 1, 490, 248, 120, 20, L"所选MAC"},
};

const wchar_t* ClassOf(Kind kind) {
    switch (kind) {
        case Kind::Tab: return L"SysTabControl32";
        case Kind::GroupBox:
        case Kind::Button:
        case Kind::Radio: return L"Button";
        case Kind::Label: return L"Static";
        case Kind::DropDown: return L"ComboBox";
        case Kind::Edit:
        case Kind::NumberEdit: return L"Edit";
        case Kind::Progress: return L"msctls_progress32";
        case Kind::List: return L"SysListView32";
    }
    return L"";
}

const Expected& ExpectedOf(Ctl control) {
    for (const Expected& expected : kControls) {
        if (expected.control == control) {
            return expected;
        }
    }
    return kControls[0];
}

std::wstring Name(Ctl control) {
    return control == Ctl::选择夹1 ? L"选择夹1" : ExpectedOf(control).name;
}

int Width(const RECT& r) {
    return r.right - r.left;
}

int Height(const RECT& r) {
    return r.bottom - r.top;
}

std::wstring RectText(const RECT& r) {
    return L"(" + Number(r.left) + L"," + Number(r.top) + L" " + Number(Width(r)) + L"x" + Number(Height(r)) + L")";
}

// What the caption bar and frame of the main window add to its client area here.
SIZE NonClient() {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE, 0);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

// The main window's outer width for a width of 分组框: the layout adds 6 for a frame of 3 pixels a
// side; the window keeps the client area as wide as 分组框 whatever the real frame is.
int OuterWidthFor(int panelWidth) {
    return Scaled(panelWidth) + static_cast<int>(NonClient().cx);
}

int OuterHeight() {
    return std::max(Scaled(317), Scaled(288) + static_cast<int>(NonClient().cy));
}

bool Visible(HWND window) {
    return window != nullptr && IsWindowVisible(window) != 0;
}

// ---- The window and its controls at start ---------------------------------------------------

void CheckFrame(HWND main) {
    CheckEqual(L"caption", Text(main), kProductCaption);
    const long style = Style(main);
    Check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU) != 0, L"caption bar with a close button");
    Check((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0,
          L"no minimize or maximize button, fixed frame");
    const SIZE nonClient = NonClient();
    if (ScreenDpi() == 96 && nonClient.cx == 6) {
        Note(L"frame of 3 pixels a side: the outer widths are the layout's 302 and 622 exactly");
    }
    const RECT outer = ScreenRect(main);
    CheckEqual(L"outer width after start-up (302 at 96 DPI)", Width(outer), OuterWidthFor(296));
    CheckEqual(L"client width after start-up", Width(ClientRectOf(main)), Scaled(296));
    CheckEqual(L"outer height (317 at 96 DPI)", Height(outer), OuterHeight());
    Check(Height(ClientRectOf(main)) >= Scaled(288), L"the client area holds the whole tab control");
    // Centred for the layout's width, then narrowed with the left edge kept.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int createdWidth = OuterWidthFor(624);
    CheckEqual(L"left edge centred for the layout width", outer.left, work.left + (Width(work) - createdWidth) / 2);
    CheckEqual(L"top edge centred", outer.top, work.top + (Height(work) - OuterHeight()) / 2);
}

void CheckTab(HWND main, HWND tab) {
    CheckEqual(L"选择夹1 class", ClassName(tab), L"SysTabControl32");
    Check(GetParent(tab) == main, L"选择夹1 is a child of the main window");
    const RECT place = RectInParent(tab);
    CheckEqual(L"选择夹1 place and size", RectText(place), RectText(RECT{0, 0, Scaled(624), Scaled(288)}));
    CheckEqual(L"选择夹1 has two pages", SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 2);
    CheckEqual(L"page 0 title", TabTitle(tab, 0), L"网络唤醒");
    CheckEqual(L"page 1 title", TabTitle(tab, 1), L"扫描局域网");
    CheckEqual(L"page 0 is current at start", SendMessageW(tab, TCM_GETCURSEL, 0, 0), 0);
}

void CheckKindDetails(const Expected& expected, HWND window) {
    const std::wstring name = expected.name;
    const long style = Style(window);
    switch (expected.kind) {
        case Kind::GroupBox:
            Check((style & BS_TYPEMASK) == BS_GROUPBOX && (style & WS_CLIPCHILDREN) != 0,
                  name + L" is a group box that clips its children");
            break;
        case Kind::Radio: {
            Check((style & BS_TYPEMASK) == BS_AUTORADIOBUTTON, name + L" is a radio button");
            const bool checked = expected.control == Ctl::单选框_内网;
            CheckEqual(name + (checked ? L" checked" : L" not checked"), SendMessageW(window, BM_GETCHECK, 0, 0),
                       checked ? BST_CHECKED : BST_UNCHECKED);
            break;
        }
        case Kind::Button: Check((style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON, name + L" is a push button"); break;
        case Kind::DropDown:
            Check((style & 3) == CBS_DROPDOWNLIST && (style & CBS_SORT) == 0, name + L" is an unsorted drop-down list");
            CheckEqual(name + L" has no items", SendMessageW(window, CB_GETCOUNT, 0, 0), 0);
            CheckEqual(name + L" has no selection", SendMessageW(window, CB_GETCURSEL, 0, 0), CB_ERR);
            break;
        case Kind::Edit:
        case Kind::NumberEdit:
            Check((style & (ES_MULTILINE | ES_READONLY | ES_NUMBER)) == 0, name + L" is a one-line, writable edit box");
            Check(SendMessageW(window, EM_GETLIMITTEXT, 0, 0) >= 0x7FFFFFFE, name + L" has no length limit");
            break;
        case Kind::Progress: CheckEqual(name + L" position 0", SendMessageW(window, PBM_GETPOS, 0, 0), 0); break;
        case Kind::List: {
            Check((style & LVS_TYPEMASK) == LVS_REPORT && (style & LVS_NOCOLUMNHEADER) == 0,
                  name + L" is a report view with column headers");
            Check((style & LVS_SINGLESEL) != 0, name + L" selects one row at a time");
            const auto extended = static_cast<DWORD>(SendMessageW(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
            Check((extended & LVS_EX_FULLROWSELECT) != 0, name + L" selects whole rows");
            Check((extended & LVS_EX_GRIDLINES) != 0, name + L" has grid lines");
            const HWND header = reinterpret_cast<HWND>(SendMessageW(window, LVM_GETHEADER, 0, 0));
            CheckEqual(name + L" has three columns", SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
            const struct {
                const wchar_t* title;
                int width;
            } columns[] = {{L"IP", 100}, {L"主机名", 120}, {L"MAC", 120}};
            for (int i = 0; i < 3; ++i) {
                const ListColumnInfo column = ListColumnOf(window, i);
                const std::wstring which = name + L" column " + Number(i);
                CheckEqual(which + L" title", column.title, columns[i].title);
                CheckEqual(which + L" width", column.width, Scaled(columns[i].width));
                CheckEqual(which + L" left-aligned", column.format & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
            }
            CheckEqual(name + L" has no rows", ListRowCount(window), 0);
            break;
        }
        case Kind::Tab:
        case Kind::Label: break;
    }
}

void CheckControls(HWND main) {
    const HWND tab = Find(main, Ctl::选择夹1);
    if (!Check(tab != nullptr, L"选择夹1 exists")) {
        return;
    }
    CheckTab(main, tab);
    for (const Expected& expected : kControls) {
        const std::wstring name = expected.name;
        const HWND window = Find(main, expected.control);
        if (!Check(window != nullptr, name + L" exists")) {
            continue;
        }
        CheckEqual(name + L" class", ClassName(window), ClassOf(expected.kind));
        CheckEqual(name + L" parent", GetDlgCtrlID(GetParent(window)), ControlId(expected.parent));
        // Place and size scale each on its own, so a control is as wide at any place.
        const RECT place{Scaled(expected.x), Scaled(expected.y), Scaled(expected.x) + Scaled(expected.width),
                         Scaled(expected.y) + Scaled(expected.height)};
        CheckEqual(name + L" place and size", RectText(RectInParent(window)), RectText(place));
        if (expected.text != nullptr) {
            CheckEqual(name + L" text", Text(window), expected.text);
        }
        const bool visible =
            expected.page == 0 && expected.parent != Ctl::分组框_外网信息 && expected.control != Ctl::分组框_外网信息;
        Check(Visible(window) == visible, name + (visible ? L" visible" : L" hidden") + L" at start");
        CheckKindDetails(expected, window);
    }
    const std::string usage = CodePageFromWide(Text(Find(main, Ctl::透明标签1)), 936);
    CheckEqual(L"usage text is 713 bytes in code page 936", static_cast<long long>(usage.size()), 713);
    // The progress label must lie above the bar among their siblings.
    bool labelAbove = false;
    for (HWND next = GetWindow(Find(main, Ctl::标签_进度条), GW_HWNDNEXT); next != nullptr;
         next = GetWindow(next, GW_HWNDNEXT)) {
        labelAbove = labelAbove || next == Find(main, Ctl::进度条1);
    }
    Check(labelAbove, L"标签_进度条 lies above 进度条1");
}

// ---- Behaviours -----------------------------------------------------------------------------

// The usage panel shows when it lies inside the window's client area, and not at all when it lies
// beyond its right edge.
bool UsagePanelInside(HWND main) {
    RECT client = ClientRectOf(main);
    MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return ScreenRect(Find(main, Ctl::分组框1)).right <= client.right;
}

bool UsagePanelOutside(HWND main) {
    RECT client = ClientRectOf(main);
    MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return ScreenRect(Find(main, Ctl::分组框1)).left >= client.right;
}

bool HasOuterWidth(HWND main, int panelWidth) {
    return Width(ScreenRect(main)) == OuterWidthFor(panelWidth);
}

void CheckLayoutWidth(HWND main, int panelWidth, const std::wstring& when) {
    const bool wide = panelWidth > 296;
    const std::wstring outer = wide ? L"622" : L"302";
    WaitUntil([&] { return HasOuterWidth(main, panelWidth); });
    CheckEqual(when + L": window " + outer + L" wide", Width(ScreenRect(main)), OuterWidthFor(panelWidth));
    CheckEqual(when + L": 分组框 width", Width(ScreenRect(Find(main, Ctl::分组框))), Scaled(panelWidth));
}

void CheckHelpButton(const Options& options, HWND main) {
    Check(UsagePanelOutside(main), L"usage panel outside the narrow window at start");
    PostClick(Find(main, Ctl::按钮2));
    CheckLayoutWidth(main, 616, L"帮助 clicked");
    Check(UsagePanelInside(main), L"帮助 clicked: usage panel shows");
    Screenshot(options, main, L"page0-wide");
    PostClick(Find(main, Ctl::按钮2));
    CheckLayoutWidth(main, 296, L"帮助 clicked again");
    Check(UsagePanelOutside(main), L"帮助 clicked again: usage panel gone");
}

void CheckNetworkMode(const Options& options, HWND main) {
    const HWND group = Find(main, Ctl::分组框_外网信息);
    const HWND lan = Find(main, Ctl::单选框_内网);
    const HWND wan = Find(main, Ctl::单选框_外网);
    const HWND host = Find(main, Ctl::IP框);
    const HWND port = Find(main, Ctl::端口框);
    const HWND barrier = Find(main, Ctl::编辑框_所选MAC);
    SetText(host, L"wake.example");
    SetText(port, L"4009");
    PostClick(wan);
    Check(WaitUntil([&] { return Visible(group); }), L"外网 clicked: host and port group shows");
    Screenshot(options, main, L"page0-wan");
    Check(SendMessageW(wan, BM_GETCHECK, 0, 0) == BST_CHECKED && SendMessageW(lan, BM_GETCHECK, 0, 0) == BST_UNCHECKED,
          L"外网 clicked: 外网 checked, 内网 not");
    Check(Visible(host) && Visible(port) && Visible(Find(main, Ctl::标签4)), L"外网 clicked: host and port boxes show");
    CheckEqual(L"外网 clicked: host text kept", Text(host), L"wake.example");
    CheckEqual(L"外网 clicked: port text kept", Text(port), L"4009");
    PostClick(lan);
    Check(WaitUntil([&] { return !Visible(group); }), L"内网 clicked: host and port group hidden");
    CheckEqual(L"内网 clicked: host text kept", Text(host), L"wake.example");
    CheckEqual(L"内网 clicked: port text kept", Text(port), L"4009");
    PostClick(lan);
    Barrier(barrier);
    Check(!Visible(group) && SendMessageW(lan, BM_GETCHECK, 0, 0) == BST_CHECKED,
          L"内网 clicked again: nothing changes");
    PostClick(wan);
    PostClick(wan);
    Barrier(barrier);
    Check(Visible(group), L"外网 clicked twice: the group still shows");
    PostClick(lan);
    WaitUntil([&] { return !Visible(group); });
}

// Characters typed into a number-only box: letters, dots and spaces are dropped; digits, the minus
// sign and Backspace work.
void CheckNumberBox(HWND main, Ctl control) {
    const HWND box = Find(main, control);
    const std::wstring name = Name(control);
    SetText(box, L"");
    PostChars(box, L"a1. 2 -x3\b4Z");
    const std::wstring expected = L"12-4";
    WaitUntil([&] { return Text(box) == expected; });
    CheckEqual(name + L": typed \"a1. 2 -x3<Backspace>4Z\"", Text(box), expected);
    // What an input method composes comes as WM_IME_CHAR.
    for (const wchar_t c : std::wstring(L"x７7")) {
        PostMessageW(box, WM_IME_CHAR, c, 1);
    }
    WaitUntil([&] { return Text(box) == expected + L"7"; });
    CheckEqual(name + L": composed \"x７7\" (a full-width seven among them)", Text(box), expected + L"7");
}

void CheckTyping(HWND main) {
    for (const Ctl control : {Ctl::端口框, Ctl::编辑框_扫描起始值, Ctl::编辑框_扫描结束值, Ctl::编辑框_扫描线程数}) {
        CheckNumberBox(main, control);
    }
    // Every other edit box takes any text.
    const HWND mac = Find(main, Ctl::MAC框);
    SetText(mac, L"");
    PostChars(mac, L"a. -1");
    WaitUntil([&] { return Text(mac) == L"a. -1"; });
    CheckEqual(L"MAC框 takes letters, dots and spaces", Text(mac), L"a. -1");
    // Restore the start values for the screenshots.
    const std::pair<Ctl, const wchar_t*> starts[] = {
        {Ctl::编辑框_扫描起始值, L"0"}, {Ctl::编辑框_扫描结束值, L"255"}, {Ctl::编辑框_扫描线程数, L"8"}};
    for (const auto& [control, text] : starts) {
        SetText(Find(main, control), text);
    }
}

bool OnPage(HWND main, int page) {
    return SendMessageW(Find(main, Ctl::选择夹1), TCM_GETCURSEL, 0, 0) == page;
}

void ChangePage(HWND main, int page) {
    ClickTabPage(Find(main, Ctl::选择夹1), page);
    WaitUntil([&] { return OnPage(main, page); });
}

void CheckPageVisibility(HWND main, int page, const std::wstring& when) {
    std::wstring wrong;
    for (const Expected& expected : kControls) {
        if (expected.parent != Ctl::选择夹1) {
            continue;
        }
        if (Visible(Find(main, expected.control)) != (expected.page == page)) {
            wrong += L" " + std::wstring(expected.name);
        }
    }
    Check(wrong.empty(), when + L": only the controls of page " + Number(page) + L" show" +
                             (wrong.empty() ? L"" : L" (wrong:" + wrong + L")"));
}

void CheckPrefix(const Options& options, HWND main, const std::wstring& when) {
    const std::wstring prefix = options.Get(L"prefix");
    if (prefix.empty()) {
        Note(when + L": prefix refill not checked (no known own address outside the lab)");
        return;
    }
    CheckEqual(when + L": prefix box refilled from the own address", Text(Find(main, Ctl::编辑框_扫描网段)), prefix);
}

void CheckPages(const Options& options, HWND main) {
    ChangePage(main, 1);
    Check(OnPage(main, 1), L"click on the header of page 1 makes it current");
    CheckLayoutWidth(main, 616, L"page 1");
    CheckPageVisibility(main, 1, L"page 1");
    CheckPrefix(options, main, L"page 1");
    Screenshot(options, main, L"page1");

    SetText(Find(main, Ctl::编辑框_扫描网段), L"1.2.3.");
    ChangePage(main, 0);
    CheckLayoutWidth(main, 296, L"back to page 0");
    CheckPageVisibility(main, 0, L"back to page 0");
    Check(!Visible(Find(main, Ctl::分组框_外网信息)),
          L"back to page 0: the host and port group stays hidden in LAN mode");
    ChangePage(main, 1);
    CheckPrefix(options, main, L"page 1 again, after typing another prefix");

    // With the usage panel open, page 1 stays wide and page 0 comes back narrow.
    ChangePage(main, 0);
    PostClick(Find(main, Ctl::按钮2));
    CheckLayoutWidth(main, 616, L"帮助 on page 0");
    ChangePage(main, 1);
    CheckLayoutWidth(main, 616, L"page 1 with the usage panel open");
    ChangePage(main, 0);
    CheckLayoutWidth(main, 296, L"page 0 after the usage panel was open");
    Check(UsagePanelOutside(main), L"page 0: usage panel closed");
}

int ColourDistance(std::uint32_t a, std::uint32_t b) {
    int distance = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        distance += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    }
    return distance;
}

// Pixels of the label that differ clearly from every colour of the bar around it: its text.
int ProgressTextPixels(HWND main) {
    const RECT bar = ScreenRect(Find(main, Ctl::进度条1));
    const RECT label = ScreenRect(Find(main, Ctl::标签_进度条));
    const Image barImage = CaptureScreen(bar);
    std::vector<std::uint32_t> background;
    const int middle = Height(bar) / 2;
    // The bar's colours left and right of the label, along its middle row.
    for (int x = 3; x < Width(bar) - 3; ++x) {
        const int screenX = bar.left + x;
        if (screenX < label.left - 1 || screenX > label.right) {
            background.push_back(barImage.At(x, middle));
        }
    }
    const Image labelImage = CaptureScreen(label);
    int text = 0;
    for (const std::uint32_t pixel : labelImage.pixels) {
        int nearest = 1000;
        for (const std::uint32_t colour : background) {
            nearest = std::min(nearest, ColourDistance(pixel, colour));
        }
        text += nearest > 120 ? 1 : 0;
    }
    return text;
}

void CheckProgressLabel(const Options& options, HWND main) {
    const HWND bar = Find(main, Ctl::进度条1);
    const HWND label = Find(main, Ctl::标签_进度条);
    const HWND barrier = Find(main, Ctl::编辑框_所选MAC);
    SendMessageW(bar, PBM_SETRANGE32, 0, 256);
    for (const int position : {0, 100, 128, 200, 256}) {
        SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
        Barrier(barrier);
        Sleep(100);
        const int pixels = ProgressTextPixels(main);
        Check(pixels >= 20, L"标签_进度条 readable over 进度条1 at " + Number(position) + L"/256 (" + Number(pixels) +
                                L" text pixels)");
        if (position == 128) {
            Screenshot(options, main, L"page1-progress");
        }
    }
    CheckEqual(L"标签_进度条 text unchanged", Text(label), L"0/256");
    SendMessageW(bar, PBM_SETPOS, 0, 0);
}

void CheckClose(Product& product, HWND main) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    CheckEqual(L"closing the window ends the program with exit code 0", WaitForExit(product, 15000), 0);
}

HWND StartProduct(const Options& options, Product& product) {
    if (!Check(Start(product, options.Get(L"product")), L"the product starts")) {
        return nullptr;
    }
    const HWND main = WaitForTopWindow(product, kProductCaption, true, 20000);
    Check(main != nullptr, L"the main window shows");
    return main;
}

void RunWindow(const Options& options) {
    Product product;
    const HWND main = StartProduct(options, product);
    if (main == nullptr) {
        return;
    }
    Check(WaitForDialog(product.process.dwProcessId, 300) == nullptr, L"no message at start-up");
    CheckFrame(main);
    CheckControls(main);
    Screenshot(options, main, L"page0-narrow");
    CheckHelpButton(options, main);
    CheckNetworkMode(options, main);
    CheckTyping(main);
    CheckPages(options, main);
    ChangePage(main, 1);
    CheckProgressLabel(options, main);
    CheckClose(product, main);
}
E2E_SCENARIO(L"window",
             RunWindow,
             L"the window, its controls and behaviours; --prefix=P: the expected subnet prefix of the own address");

// The own host name resolves to nothing: the prefix box keeps its text, the window still widens,
// no message shows.
void RunLookupFails(const Options& options) {
    Product product;
    const HWND main = StartProduct(options, product);
    if (main == nullptr) {
        return;
    }
    const HWND prefix = Find(main, Ctl::编辑框_扫描网段);
    SetText(prefix, L"172.16.5.");
    ChangePage(main, 1);
    CheckLayoutWidth(main, 616, L"page 1 without an own address");
    CheckEqual(L"page 1 without an own address: prefix box keeps its text", Text(prefix), L"172.16.5.");
    Check(WaitForDialog(product.process.dwProcessId, 1000) == nullptr, L"page 1 without an own address: no message");
    CheckClose(product, main);
}
E2E_SCENARIO(L"lookup-fails", RunLookupFails, L"the own host name does not resolve");

// The start-up's socket message: shown once, before the window, with no owner; then the window
// opens normally.
void RunSocketMessage(const Options& options, const std::wstring& message) {
    Product product;
    if (!Check(Start(product, options.Get(L"product")), L"the product starts")) {
        return;
    }
    const HWND box = WaitForDialog(product.process.dwProcessId, 20000);
    if (!Check(box != nullptr, L"a message shows at start-up")) {
        return;
    }
    CheckEqual(L"message text", MessageBoxText(box), message);
    CheckEqual(L"message caption", Text(box), kMessageCaption);
    Check(GetWindow(box, GW_OWNER) == nullptr, L"the message has no owner window");
    Check(GetDlgItem(box, IDOK) != nullptr && GetDlgItem(box, IDCANCEL) == nullptr,
          L"the message has an OK button only");
    const HWND hidden = WaitForTopWindow(product, kProductCaption, false, 1000);
    Check(hidden != nullptr && !Visible(hidden), L"the main window exists but is not shown yet");
    PostDialogCommand(box, IDOK);
    const HWND main = WaitForTopWindow(product, kProductCaption, true, 10000);
    if (!Check(main != nullptr, L"after OK the main window shows")) {
        return;
    }
    CheckEqual(L"the window is narrow", Width(ScreenRect(main)), OuterWidthFor(296));
    Check(WaitForDialog(product.process.dwProcessId, 1000) == nullptr, L"the message shows once");
    CheckClose(product, main);
}

void RunSocketFails(const Options& options) {
    RunSocketMessage(options, L"创建 Socket 失败！");
}
E2E_SCENARIO(L"socket-fails", RunSocketFails, L"no UDP socket can be made (run-e2e's wineserver shim)");

void RunBindFails(const Options& options) {
    RunSocketMessage(options, L"启动 Socket 失败！");
}
E2E_SCENARIO(L"bind-fails", RunBindFails, L"the UDP socket cannot be bound (run-e2e's wineserver shim)");

// Events run while a handler waits (the scan's and the send's way of keeping the window alive):
// on the real window with the handlers of events_host.cpp. A click during the wait reaches its
// handler; closing the window during the wait saves first, then the wait says so, the handler
// returns and the program ends normally.
void RunEventProcessing(const Options& options) {
    const std::wstring host = CopyBesideProduct(options, L"events_host.exe");
    Product product;
    if (!Check(!host.empty() && Start(product, host), L"the events host starts")) {
        return;
    }
    const HWND main = WaitForTopWindow(product, kProductCaption, true, 20000);
    if (!Check(main != nullptr, L"its window shows")) {
        return;
    }
    const HWND passes = Find(main, Ctl::标签_进度条);
    PostClick(Find(main, Ctl::按钮4));
    const bool running = WaitUntil([&] { return _wtoi(Text(passes).c_str()) >= 3; });
    Check(running, L"a handler's wait lets the window run its events (" + Text(passes) + L" passes)");
    PostClick(Find(main, Ctl::按钮5));
    Check(WaitUntil([&] { return Text(Find(main, Ctl::编辑框_所选IP)) == L"stop clicked"; }),
          L"a click during the wait reaches its handler");
    ChangePage(main, 1);
    Check(OnPage(main, 1), L"the page changes during the wait");
    PostMessageW(main, WM_CLOSE, 0, 0);
    CheckEqual(L"closing during the wait ends the program with exit code 0", WaitForExit(product, 15000), 0);
    CheckEqual(L"closing saves, then the wait returns false and the handler ends",
               ReadTextFile(FolderOf(host) + L"\\events.txt", 936),
               L"created\nloop started\nstop clicked\ndestroying\nloop ended\nevent loop ended\n");
}
E2E_SCENARIO(L"event-processing", RunEventProcessing, L"events running during a handler's wait, and closing then");

// The time from the product's start to its window showing, warm: the median of several runs after
// one that is not counted.
void RunStartupTime(const Options& options) {
    const int runs = std::max(1, _wtoi(options.Get(L"runs", L"7").c_str()));
    std::vector<double> times;
    for (int run = 0; run <= runs; ++run) {
        Product product;
        double ms = 0;
        const HWND main = StartAndTimeWindow(product, options.Get(L"product"), 20000, ms);
        if (main == nullptr) {
            Check(false, L"the product starts and its main window shows");
            return;
        }
        Note(L"run " + Number(run) + (run == 0 ? L" (warm-up)" : L"") + L": " + Number(std::llround(ms)) + L" ms");
        if (run > 0) {
            times.push_back(ms);
        }
        PostMessageW(main, WM_CLOSE, 0, 0);
        WaitForExit(product, 10000);
    }
    Note(L"window_shown_ms: " + Number(std::llround(Median(times))) + L" ms");
}
E2E_SCENARIO(L"startup-time", RunStartupTime, L"median time from start to the window shown; --runs=N");

}  // namespace
