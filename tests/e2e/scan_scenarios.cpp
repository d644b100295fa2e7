// Scenarios of the LAN scan on the page "扫描局域网", run on the sender host of the network lab
// (tests/net/run-in-lab) with the frames it sends logged (run-e2e's "lab-traffic"): the rows of the
// live hosts with their MACs and names, none for the silent ones, the progress bar and its label,
// picking a row, the validation messages, a second click on "扫描" during a scan, "停止", and closing
// the window while workers are running. Each scenario ends by checking from the traffic log that
// nothing left the sender but ARP for the scanned addresses and the probe's empty datagrams to them.
//
// The lab's hosts (run-in-lab's table): the sender .2, alpha .11 named alpha.lab (and alpha), bravo
// .12 named bravo.lab, charlie .13 without a name, silent .14 that never answers ARP, and longname
// .16 with a 304-byte name; every other address of 10.77.0.0/24 is absent.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <set>
#include <tuple>
#include <vector>

#include "tests/e2e/driver.h"

// After <windows.h>, which driver.h brings.
#include <tlhelp32.h>

namespace {

using namespace e2e;

const std::wstring kRangeMessage = L"起始值或结束值,填写错误, 要求: 结束值>起始值,起始值>=0,结束值<=255";
const std::wstring kThreadCountMessage = L"线程数,填写错误,线程数须大于等于1";
const std::wstring kLabPrefix = L"10.77.0.";  // the sender's own subnet
// Each pass of the scan's loop waits this long; it starts at most one worker.
constexpr DWORD kPassMs = 500;

struct Row {
    std::wstring ip;
    std::wstring name;
    std::wstring mac;
    bool operator<(const Row& other) const {
        return std::tie(ip, name, mac) < std::tie(other.ip, other.name, other.mac);
    }
    bool operator==(const Row& other) const { return ip == other.ip && name == other.name && mac == other.mac; }
};

std::wstring Describe(const Row& row) {
    return row.ip + L" | " + (row.name.empty() ? L"(empty)" : row.name) + L" | " + row.mac;
}

std::wstring Describe(const std::vector<Row>& rows) {
    std::wstring text;
    for (const Row& row : rows) {
        text += (text.empty() ? L"" : L"; ") + Describe(row);
    }
    return text.empty() ? L"(none)" : text;
}

// The longname host's name as the scanner keeps it: its first 255 bytes (all ASCII).
std::wstring LongNameWithinLimit() {
    const std::wstring label(60, L'x');
    std::wstring name = label;
    for (int i = 0; i < 4; ++i) {
        name += L"." + label;
    }
    return name.substr(0, 255);
}

const Row kAlpha{L"10.77.0.11", L"alpha.lab", L"02:77:00:00:00:11"};
const Row kBravo{L"10.77.0.12", L"bravo.lab", L"02:77:00:00:00:12"};
const Row kCharlie{L"10.77.0.13", L"", L"02:77:00:00:00:13"};

// ---- The window -----------------------------------------------------------------------------

struct ScanPage {
    DWORD processId = 0;
    HWND main = nullptr;
    HWND prefix = nullptr;
    HWND start = nullptr;
    HWND end = nullptr;
    HWND threads = nullptr;
    HWND scan = nullptr;
    HWND stop = nullptr;
    HWND list = nullptr;
    HWND bar = nullptr;
    HWND label = nullptr;
    HWND pickedIp = nullptr;
    HWND pickedName = nullptr;
    HWND pickedMac = nullptr;
};

ScanPage ControlsOf(HWND main) {
    ScanPage page;
    page.main = main;
    page.prefix = Find(main, Ctl::编辑框_扫描网段);
    page.start = Find(main, Ctl::编辑框_扫描起始值);
    page.end = Find(main, Ctl::编辑框_扫描结束值);
    page.threads = Find(main, Ctl::编辑框_扫描线程数);
    page.scan = Find(main, Ctl::按钮4);
    page.stop = Find(main, Ctl::按钮5);
    page.list = Find(main, Ctl::超级列表框1);
    page.bar = Find(main, Ctl::进度条1);
    page.label = Find(main, Ctl::标签_进度条);
    page.pickedIp = Find(main, Ctl::编辑框_所选IP);
    page.pickedName = Find(main, Ctl::编辑框_所选主机名);
    page.pickedMac = Find(main, Ctl::编辑框_所选MAC);
    return page;
}

// Starts the product, waits for its window and changes to the scan page by clicking its header.
// Gives the page's controls; their main is null when the window did not show.
ScanPage StartOnScanPage(const Options& options, Product& product) {
    if (!Check(Start(product, options.Get(L"product")), L"the product starts")) {
        return {};
    }
    const HWND main = WaitForTopWindow(product, kProductCaption, true, 20000);
    if (!Check(main != nullptr, L"the main window shows")) {
        return {};
    }
    const HWND tab = Find(main, Ctl::选择夹1);
    ClickTabPage(tab, 1);
    Check(WaitUntil([&] { return SendMessageW(tab, TCM_GETCURSEL, 0, 0) == 1; }),
          L"a click on its header shows the page 扫描局域网");
    ScanPage page = ControlsOf(main);
    page.processId = product.process.dwProcessId;
    WaitUntil([&] { return Text(page.prefix) == kLabPrefix; });
    CheckEqual(L"the prefix box holds the sender's own subnet", Text(page.prefix), kLabPrefix);
    return page;
}

void SetRange(const ScanPage& page, const std::wstring& start, const std::wstring& end, const std::wstring& threads) {
    SetText(page.start, start);
    SetText(page.end, end);
    SetText(page.threads, threads);
}

std::vector<Row> Rows(HWND list) {
    std::vector<Row> rows;
    const int count = ListRowCount(list);
    for (int row = 0; row < count; ++row) {
        rows.push_back(Row{ListCell(list, row, 0), ListCell(list, row, 1), ListCell(list, row, 2)});
    }
    return rows;
}

std::vector<Row> Sorted(std::vector<Row> rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

// The rows as a set: their order is the order in which the probes finished.
void CheckRows(const std::wstring& when, HWND list, std::vector<Row> expected) {
    const std::vector<Row> rows = Sorted(Rows(list));
    expected = Sorted(expected);
    Check(rows == expected,
          when + L": rows " + Describe(rows) + (rows == expected ? L"" : L", want " + Describe(expected)));
}

long long BarPosition(HWND bar) {
    return SendMessageW(bar, PBM_GETPOS, 0, 0);
}

long long BarMaximum(HWND bar) {
    return SendMessageW(bar, PBM_GETRANGE, FALSE, 0);
}

bool ScanEnded(const ScanPage& page) {
    return Text(page.label).find(L"耗时") != std::wstring::npos;
}

// The seconds as the C format "%.13g" writes a count of milliseconds divided by 1000: whole seconds
// without a decimal point, otherwise at most three decimals and no trailing zero.
bool IsSecondsText(const std::wstring& text) {
    const std::size_t point = text.find(L'.');
    const std::wstring whole = text.substr(0, point);
    const auto digits = [](const std::wstring& part) {
        return !part.empty() && std::all_of(part.begin(), part.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    };
    if (!digits(whole) || (whole.size() > 1 && whole[0] == L'0')) {
        return false;
    }
    if (point == std::wstring::npos) {
        return true;
    }
    const std::wstring fraction = text.substr(point + 1);
    return digits(fraction) && fraction.size() <= 3 && fraction.back() != L'0';
}

// The label after a scan of n addresses: "n/n  耗时:" + seconds + "秒". Gives the seconds, or -1.
double CheckFinalLabel(const std::wstring& when, const ScanPage& page, int n) {
    const std::wstring label = Text(page.label);
    const std::wstring head = Number(n) + L"/" + Number(n) + L"  耗时:";
    const std::wstring tail = L"秒";
    const bool framed = label.size() > head.size() + tail.size() && label.compare(0, head.size(), head) == 0 &&
                        label.compare(label.size() - tail.size(), tail.size(), tail) == 0;
    const std::wstring seconds = framed ? label.substr(head.size(), label.size() - head.size() - tail.size()) : L"";
    const bool ok = framed && IsSecondsText(seconds);
    Check(ok,
          when + L": the label reads " + Quoted(label) + (ok ? L"" : L", want " + Quoted(head + L"<seconds>" + tail)));
    CheckEqual(when + L": the bar's maximum", BarMaximum(page.bar), n);
    CheckEqual(when + L": the bar is full", BarPosition(page.bar), n);
    return ok ? _wtof(seconds.c_str()) : -1;
}

// The elapsed time the label shows lies between the least a scan of n addresses takes (n passes of
// the loop) and the time the driver saw the scan take, from its click to the final label.
void CheckElapsed(const std::wstring& when, double seconds, int passes, ULONGLONG seenMs) {
    const double least = passes * kPassMs / 1000.0 - 0.05;
    const double most = static_cast<double>(seenMs) / 1000.0 + 0.1;
    Check(seconds >= least && seconds <= most, when + L": the seconds shown (" + std::to_wstring(seconds) +
                                                   L") lie between " + std::to_wstring(least) + L" and the " +
                                                   std::to_wstring(most) + L" the driver saw");
}

int ColourDistance(std::uint32_t a, std::uint32_t b) {
    int distance = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        distance += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    }
    return distance;
}

std::wstring Hex(std::uint32_t colour) {
    wchar_t text[8];
    swprintf(text, 8, L"%06X", colour);
    return text;
}

// The progress label lies on the bar and has no background of its own: just inside each of its
// ends the bar shows as it does just outside. The dispatch loop rewrites the label every pass,
// also while the bar stands still, so this is looked at two passes after the bar last moved.
void CheckLabelOverBar(const std::wstring& when, const ScanPage& page) {
    Sleep(2 * kPassMs);
    const RECT bar = ScreenRect(page.bar);
    const RECT label = ScreenRect(page.label);
    const Image image = CaptureScreen(bar);
    const int y = (label.top + label.bottom) / 2 - bar.top;
    const struct {
        const wchar_t* end;
        int inside;
        int outside;
    } ends[] = {{L"left", label.left + 2, label.left - 3}, {L"right", label.right - 3, label.right + 2}};
    for (const auto& e : ends) {
        const std::uint32_t inside = image.At(e.inside - bar.left, y);
        const std::uint32_t outside = image.At(e.outside - bar.left, y);
        Check(ColourDistance(inside, outside) <= 12, when + L": the bar shows through the label's " + e.end +
                                                         L" end (" + Hex(inside) + L" inside, " + Hex(outside) +
                                                         L" outside)");
    }
}

// Starts a scan with the boxes as they are and waits for its end. Gives the driver's milliseconds
// from the click to the final label, or 0 when the scan did not end in time.
ULONGLONG RunScanToEnd(const ScanPage& page, DWORD timeoutMs) {
    const ULONGLONG clicked = GetTickCount64();
    PostClick(page.scan);
    // Until the click is handled the label still shows the last scan's end. The barrier's message
    // is handled after the click, by the new scan's loop at the latest.
    Barrier(page.start);
    if (!WaitUntil([&] { return ScanEnded(page); }, timeoutMs)) {
        return 0;
    }
    return GetTickCount64() - clicked;
}

// A row's rectangle in the list's client area, read in the product's process.
RECT RowRect(HWND list, int row) {
    const HANDLE process = ProcessOf(list);
    RECT rect{};
    {
        RemoteBuffer buffer(process, sizeof(RECT));
        rect.left = LVIR_BOUNDS;
        buffer.Write(&rect, sizeof rect);
        SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), buffer.At());
        buffer.Read(&rect, sizeof rect);
    }
    CloseHandle(process);
    return rect;
}

int SelectedRow(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// Picks a row as the user does: a click on it, which the list view answers with its own change
// notification to the window.
void CheckPickRow(const ScanPage& page, const Row& wanted) {
    const std::vector<Row> rows = Rows(page.list);
    const auto found = std::find(rows.begin(), rows.end(), wanted);
    if (!Check(found != rows.end(), L"pick " + wanted.ip + L": its row is listed")) {
        return;
    }
    const int row = static_cast<int>(found - rows.begin());
    const RECT rect = RowRect(page.list, row);
    PostMouseClick(page.list, POINT{rect.left + 12, (rect.top + rect.bottom) / 2});
    WaitUntil([&] {
        return Text(page.pickedIp) == wanted.ip && Text(page.pickedName) == wanted.name &&
               Text(page.pickedMac) == wanted.mac;
    });
    CheckEqual(L"pick " + wanted.ip + L": the row is selected", SelectedRow(page.list), row);
    CheckEqual(L"pick " + wanted.ip + L": 编辑框_所选IP", Text(page.pickedIp), wanted.ip);
    CheckEqual(L"pick " + wanted.ip + L": 编辑框_所选主机名", Text(page.pickedName), wanted.name);
    CheckEqual(L"pick " + wanted.ip + L": 编辑框_所选MAC", Text(page.pickedMac), wanted.mac);
}

// Live threads of the process.
int ThreadCount(DWORD processId) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return -1;
    }
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        count += entry.th32OwnerProcessID == processId ? 1 : 0;
    }
    CloseHandle(snapshot);
    return count;
}

void CheckClose(Product& product, HWND main) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    CheckEqual(L"closing the window ends the program with exit code 0", WaitForExit(product, 15000), 0);
}

// ---- What the sender sent -------------------------------------------------------------------

std::vector<std::wstring> Words(const std::wstring& line) {
    std::vector<std::wstring> words;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t space = line.find(L' ', at);
        const std::size_t stop = space == std::wstring::npos ? line.size() : space;
        if (stop > at) {
            words.push_back(line.substr(at, stop - at));
        }
        at = stop + 1;
    }
    return words;
}

// The last number of a lab address ("10.77.0.N"), or -1 for any other text.
int LabHost(const std::wstring& address) {
    if (address.compare(0, kLabPrefix.size(), kLabPrefix) != 0 || address.size() == kLabPrefix.size() ||
        address.size() > kLabPrefix.size() + 3) {
        return -1;
    }
    const std::wstring last = address.substr(kLabPrefix.size());
    if (!std::all_of(last.begin(), last.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
        return -1;
    }
    const int number = _wtoi(last.c_str());
    return number <= 255 ? number : -1;
}

// What the sender put on its interface, by lab host number.
struct Traffic {
    bool logged = false;             // a log was given and holds frames
    std::map<int, int> datagrams;    // the probe's empty datagrams to port 9, by destination
    std::map<int, int> arpRequests;  // by the address asked for
};

std::wstring Summary(const std::map<int, int>& counts) {
    std::wstring text;
    for (const auto& [host, count] : counts) {
        text += L" ." + Number(host) + (count > 1 ? L"×" + Number(count) : L"");
    }
    return text.empty() ? L" (none)" : text;
}

std::set<int> HostsOf(const std::map<int, int>& counts) {
    std::set<int> hosts;
    for (const auto& entry : counts) {
        hosts.insert(entry.first);
    }
    return hosts;
}

std::set<int> HostRange(int first, int last) {
    std::set<int> hosts;
    for (int host = first; host <= last; ++host) {
        hosts.insert(host);
    }
    return hosts;
}

// Checks the log of lab-traffic (run-e2e gives its path as --traffic) after the product has ended:
// the sender put nothing on its interface but ARP requests for scanned addresses, ARP answers to
// lab hosts and the probe's empty datagrams to port 9 of scanned addresses. A datagram leaves only
// once ARP has found the host: those to silent and absent addresses die in the kernel's queue.
// IPv6 frames are the kernel's own link housekeeping (router solicitations, multicast reports):
// the product opens IPv4 sockets only.
Traffic CheckTraffic(const Options& options, int firstScanned, int lastScanned) {
    Traffic traffic;
    const std::wstring path = options.Get(L"traffic");
    if (path.empty()) {
        Note(L"what the sender sent is not checked (no --traffic log)");
        return traffic;
    }
    // The watcher writes each frame as it leaves; give it a moment for the last ones.
    Sleep(300);
    const std::wstring log = ReadTextFile(path, CP_UTF8);
    const auto scanned = [&](int host) { return host >= firstScanned && host <= lastScanned; };
    std::wstring unexpected;
    int ipv6Frames = 0;
    std::size_t at = 0;
    while (at < log.size()) {
        const std::size_t newline = log.find(L'\n', at);
        const std::wstring line = log.substr(at, (newline == std::wstring::npos ? log.size() : newline) - at);
        at = newline == std::wstring::npos ? log.size() : newline + 1;
        const std::vector<std::wstring> words = Words(line);
        if (words.empty()) {
            continue;
        }
        const int third = words.size() == 3 ? LabHost(words[2]) : -1;
        const int second = words.size() == 4 ? LabHost(words[1]) : -1;
        if (words[0] == L"arp" && words[1] == L"request" && scanned(third)) {
            ++traffic.arpRequests[third];
        } else if (words[0] == L"arp" && words[1] == L"reply" && third >= 0) {
            // The kernel answering a lab host's question.
        } else if (words[0] == L"udp" && scanned(second) && words[2] == L"9" && words[3] == L"0") {
            ++traffic.datagrams[second];
        } else if (words[0] == L"ipv6") {
            ++ipv6Frames;
        } else {
            unexpected += L" [" + line + L"]";
        }
    }
    traffic.logged = Check(!log.empty(), L"traffic: the sender's frames were logged");
    Note(L"traffic: ARP requests for" + Summary(traffic.arpRequests) + L"; empty datagrams to port 9 of" +
         Summary(traffic.datagrams) + L"; " + Number(ipv6Frames) + L" IPv6 frames of the kernel");
    Check(unexpected.empty(), L"traffic: nothing but ARP and empty datagrams to port 9 of the scanned addresses " +
                                  kLabPrefix + Number(firstScanned) + L"–" + Number(lastScanned) +
                                  (unexpected.empty() ? L"" : L"; also:" + unexpected));
    return traffic;
}

// ---- Scenarios ------------------------------------------------------------------------------

// A click on "扫描" while the scan runs is ignored: it would read the changed boxes, correct the
// thread count to the smaller range and restart the label at 0/3.
void CheckSecondClickIgnored(const ScanPage& page) {
    SetText(page.end, L"13");
    SetText(page.threads, L"8");
    PostClick(page.scan);
    const bool handled = Barrier(page.start);
    Check(handled, L"a second click on 扫描 during the scan is handled");
    CheckEqual(L"the second click during the scan changes no box", Text(page.threads), L"8");
    const std::wstring label = Text(page.label);
    Check(label.find(L"/5") != std::wstring::npos && !ScanEnded(page),
          L"the second click during the scan leaves the scan of 5 running (" + Quoted(label) + L")");
    Check(WaitForDialog(page.processId, 200) == nullptr, L"the second click shows no message");
    // The scan read its boxes when it started; these are only for the screenshot.
    SetText(page.end, L"15");
    SetText(page.threads, L"5");
}

void CheckFirstScan(const Options& options, const ScanPage& page) {
    SetRange(page, L"11", L"15", L"8");
    const ULONGLONG clicked = GetTickCount64();
    PostClick(page.scan);
    // The label restarts at 0/n at once; the first pass then waits before it writes again.
    Check(WaitUntil([&] { return Text(page.label) == L"0/5"; }),
          L"scan 11–15: right after the click the label reads 0/5 (" + Quoted(Text(page.label)) + L")");
    CheckEqual(L"scan 11–15: the bar's maximum is 5", BarMaximum(page.bar), 5);
    CheckEqual(L"scan 11–15: a thread count above the address count becomes it", Text(page.threads), L"5");
    // A pass or two in, while the loop still hands out addresses.
    WaitUntil([&] { return BarPosition(page.bar) >= 1; });
    CheckSecondClickIgnored(page);
    const bool ended = WaitUntil([&] { return ScanEnded(page); }, 20000);
    const ULONGLONG seen = GetTickCount64() - clicked;
    if (!Check(ended, L"scan 11–15 ends")) {
        return;
    }
    const double seconds = CheckFinalLabel(L"scan 11–15", page, 5);
    if (seconds >= 0) {
        CheckElapsed(L"scan 11–15", seconds, 5, seen);
    }
    CheckRows(L"scan 11–15", page.list, {kAlpha, kBravo, kCharlie});
    Screenshot(options, page.main, L"scan-results");
}

// Each bad input shows its message and corrects its box; nothing else changes, the rows stay.
void CheckValidation(const ScanPage& page) {
    struct Case {
        const wchar_t* name;
        const wchar_t* start;
        const wchar_t* end;
        const wchar_t* threads;
        const std::wstring* message;
        int correctedBox;  // 0 start, 1 end, 2 threads
        const wchar_t* corrected;
    };
    const Case cases[] = {
        {L"start -1", L"-1", L"15", L"5", &kRangeMessage, 0, L"0"},
        {L"start -1 and end 300: the first test only", L"-1", L"300", L"5", &kRangeMessage, 0, L"0"},
        {L"end 300", L"11", L"300", L"5", &kRangeMessage, 1, L"255"},
        {L"start 015 above end 11", L"015", L"11", L"5", &kRangeMessage, 1, L"015"},
        {L"end below start, thread count 0: the range first", L"12", L"11", L"0", &kRangeMessage, 1, L"12"},
        {L"thread count 0", L"11", L"15", L"0", &kThreadCountMessage, 2, L"1"},
        {L"thread count -2", L"11", L"15", L"-2", &kThreadCountMessage, 2, L"1"},
        {L"thread count without digits", L"11", L"15", L"-", &kThreadCountMessage, 2, L"1"},
    };
    const DWORD processId = page.processId;
    const std::vector<Row> rows = Rows(page.list);
    const std::wstring label = Text(page.label);
    const HWND boxes[] = {page.start, page.end, page.threads};
    for (const Case& c : cases) {
        const std::wstring name = L"扫描 with " + std::wstring(c.name);
        SetRange(page, c.start, c.end, c.threads);
        const std::wstring typed[] = {c.start, c.end, c.threads};
        PostClick(page.scan);
        const HWND box = WaitForDialog(processId, 5000);
        if (!Check(box != nullptr, name + L": a message shows")) {
            continue;
        }
        CheckEqual(name + L": message text", MessageBoxText(box), *c.message);
        CheckEqual(name + L": message caption", Text(box), kMessageCaption);
        PostDialogCommand(box, IDOK);
        Check(WaitUntil([&] { return !IsWindow(box); }), name + L": OK closes the message");
        for (int i = 0; i < 3; ++i) {
            const std::wstring want = i == c.correctedBox ? c.corrected : typed[i];
            WaitUntil([&] { return Text(boxes[i]) == want; });
            CheckEqual(name + L": " +
                           (i == 0   ? L"start"
                            : i == 1 ? L"end"
                                     : L"thread-count") +
                           L" box",
                       Text(boxes[i]), want);
        }
        Check(Rows(page.list) == rows, name + L": the rows stay");
        CheckEqual(name + L": the label stays", Text(page.label), label);
        Check(WaitForDialog(processId, 100) == nullptr, name + L": one message only");
    }
}

// The longname host: its 304-byte name is kept to its first 255 bytes.
void CheckLongName(const ScanPage& page) {
    SetRange(page, L"16", L"16", L"5");
    const ULONGLONG seen = RunScanToEnd(page, 10000);
    if (!Check(seen > 0, L"scan 16–16 ends")) {
        return;
    }
    CheckEqual(L"scan 16–16: the thread count becomes 1", Text(page.threads), L"1");
    const double seconds = CheckFinalLabel(L"scan 16–16", page, 1);
    if (seconds >= 0) {
        CheckElapsed(L"scan 16–16", seconds, 1, seen);
    }
    CheckRows(L"scan 16–16 (the earlier rows gone)", page.list,
              {Row{L"10.77.0.16", LongNameWithinLimit(), L"02:77:00:00:00:16"}});
}

void RunScanScenario(const Options& options) {
    Product product;
    const ScanPage page = StartOnScanPage(options, product);
    if (page.main == nullptr) {
        return;
    }
    CheckFirstScan(options, page);
    CheckPickRow(page, kAlpha);
    CheckPickRow(page, kCharlie);  // no name: the name box empties
    CheckPickRow(page, kBravo);
    Screenshot(options, page.main, L"scan-picked");
    CheckValidation(page);
    CheckLongName(page);
    CheckClose(product, page.main);
    const Traffic traffic = CheckTraffic(options, 11, 16);
    if (traffic.logged) {
        Check(HostsOf(traffic.arpRequests) == HostRange(11, 16), L"traffic: ARP asked for every scanned address");
        const std::map<int, int> once{{11, 1}, {12, 1}, {13, 1}, {16, 1}};
        Check(traffic.datagrams == once, L"traffic: one probe datagram reached each live host");
    }
}
E2E_SCENARIO(L"scan",
             RunScanScenario,
             L"scans of the lab (rows, names, MACs, label, bar), picking rows, the validation messages, a second "
             L"click during a scan; --traffic=LOG: lab-traffic's log");

// "停止" ends the scan within a pass with the bar full; a click on it while no scan runs does not
// stop the next scan.
void RunScanStop(const Options& options) {
    Product product;
    const ScanPage page = StartOnScanPage(options, product);
    if (page.main == nullptr) {
        return;
    }
    // With two workers, the silent .14 and the absent .15 hold both places for about 3 s once
    // handed out, so nothing after .15 can start before the stop below.
    SetRange(page, L"11", L"40", L"2");
    PostClick(page.scan);
    const bool found = WaitUntil([&] { return ListRowCount(page.list) == 3; }, 10000);
    Check(found, L"scan 11–40: the three live hosts are listed after a few passes");
    const std::wstring before = Text(page.label);
    CheckLabelOverBar(L"scan 11–40, after passes that rewrote the label over a still bar", page);
    Screenshot(options, page.main, L"scan-running");
    const ULONGLONG clicked = GetTickCount64();
    PostClick(page.stop);
    const bool ended = WaitUntil([&] { return ScanEnded(page); }, 5000);
    const ULONGLONG took = GetTickCount64() - clicked;
    Check(ended && took <= 2 * kPassMs, L"停止 (at " + Quoted(before) + L") ends the scan within about a pass (" +
                                            Number(static_cast<long long>(took)) + L" ms)");
    CheckFinalLabel(L"scan 11–40 stopped", page, 30);
    CheckRows(L"scan 11–40 stopped", page.list, {kAlpha, kBravo, kCharlie});
    Screenshot(options, page.main, L"scan-stopped");
    // Long enough for the workers of .14 and .15 to end: a loop still running would then hand out
    // .16 and the next addresses, which the traffic check below would see.
    Sleep(3000 + 2 * kPassMs);
    CheckRows(L"scan 11–40 stopped, 4 s later", page.list, {kAlpha, kBravo, kCharlie});

    PostClick(page.stop);
    SetRange(page, L"11", L"12", L"2");
    const ULONGLONG seen = RunScanToEnd(page, 10000);
    if (Check(seen > 0, L"停止 clicked while idle, then scan 11–12: it ends")) {
        const double seconds = CheckFinalLabel(L"scan 11–12 after 停止 while idle", page, 2);
        if (seconds >= 0) {
            CheckElapsed(L"scan 11–12 after 停止 while idle: it ran all its passes", seconds, 2, seen);
        }
        CheckRows(L"scan 11–12 after 停止 while idle", page.list, {kAlpha, kBravo});
    }
    CheckClose(product, page.main);
    const Traffic traffic = CheckTraffic(options, 11, 40);
    if (traffic.logged) {
        Check(traffic.arpRequests.lower_bound(16) == traffic.arpRequests.end(),
              L"traffic: nothing probed after the stop (none from .16 on)");
    }
}
E2E_SCENARIO(L"scan-stop", RunScanStop, L"停止 during a scan and while idle; --traffic=LOG: lab-traffic's log");

// The window closed while workers probe absent addresses: the program ends at once with exit code
// 0 and has saved the profiles. wol.ini starts with a selection beyond the list, which the program
// corrects to the last profile; only a save writes that back.
void RunScanClose(const Options& options) {
    const std::wstring file = FolderOf(options.Get(L"product")) + L"\\wol.ini";
    const std::wstring profiles = L"配置1=内网|1A-2B-3C-4D-5E-6F||\r\n配置2=外网|00-1D-60-AB-CD-EF|203.0.113.10|9\r\n";
    const std::wstring written = profiles + L"上次选择=5\r\n";
    const std::string bytes = CodePageFromWide(written, 936);
    const HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD count = 0;
    const bool prepared = out != INVALID_HANDLE_VALUE &&
                          WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) != 0 &&
                          count == bytes.size();
    if (out != INVALID_HANDLE_VALUE) {
        CloseHandle(out);
    }
    if (!Check(prepared, L"wol.ini written before the start")) {
        return;
    }
    Product product;
    const ScanPage page = StartOnScanPage(options, product);
    if (page.main == nullptr) {
        return;
    }
    const DWORD processId = product.process.dwProcessId;
    const int idleThreads = ThreadCount(processId);
    // Almost every address of the subnet is empty (hosts sit at .2, the sender, and .11 to .16):
    // each worker waits about 3 s for ARP to give up, and a pass starts one every 500 ms, so about
    // six are busy at once, however many are allowed. The close comes once the first of them have
    // ended and the loop keeps starting new ones.
    SetRange(page, L"1", L"255", L"255");
    PostClick(page.scan);
    constexpr int kWanted = 5;
    WaitUntil([&] { return BarPosition(page.bar) >= 2 && ThreadCount(processId) - idleThreads >= kWanted; }, 30000);
    const int workers = ThreadCount(processId) - idleThreads;
    const std::wstring label = Text(page.label);
    Check(workers >= kWanted && !ScanEnded(page),
          L"scan 1–255 with 255 workers at most: " + Number(workers) + L" workers running at " + Quoted(label));
    CheckEqual(L"the scan has not saved wol.ini", ReadTextFile(file, 936), written);
    Screenshot(options, page.main, L"scan-closing");
    const ULONGLONG closed = GetTickCount64();
    PostMessageW(page.main, WM_CLOSE, 0, 0);
    const long long code = WaitForExit(product, 2000);
    const ULONGLONG took = GetTickCount64() - closed;
    CheckEqual(L"closing the window during the scan ends the program within 2 s (" +
                   Number(static_cast<long long>(took)) + L" ms) with exit code 0",
               code, 0);
    CheckEqual(L"closing the window during the scan saved wol.ini", ReadTextFile(file, 936),
               profiles + L"上次选择=2\r\n");
    CheckTraffic(options, 1, 255);
}
E2E_SCENARIO(L"scan-close",
             RunScanClose,
             L"the window closed while scan workers run; --traffic=LOG: lab-traffic's log");

}  // namespace
