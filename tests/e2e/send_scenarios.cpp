// Scenarios of the send command ("发送WOL") with the real exe: the MAC, host and port boxes set,
// 内网 or 外网 clicked, the send clicked, then the message that follows, what reached the lab's
// hosts and the profiles file written afterwards.
//
// "send" runs on the network lab's sender host (10.77.0.2) with recorders on alpha (10.77.0.11,
// named alpha.lab and alpha) and bravo (10.77.0.12, bravo.lab) that write down every UDP datagram
// reaching them (run-e2e's "listeners" surroundings, tests/e2e/with-listeners). "send-fails" runs
// in a namespace without any network, where every send is refused.
#include <algorithm>
#include <cwctype>
#include <utility>
#include <vector>

#include "tests/e2e/driver.h"

namespace {

using namespace e2e;

const std::wstring kSender = L"10.77.0.2";
const std::wstring kBroadcast = L"255.255.255.255";

const std::wstring kSent = L"发送 WOL 成功！";
const std::wstring kNotSent = L"发送 WOL 失败！";
const std::wstring kNoPacket = L"生成wol包失败！";

// ---- What reached a host ----------------------------------------------------------------------

struct Arrival {
    std::wstring from;
    std::wstring to;
    std::wstring port;
    std::wstring length;
    std::wstring payload;  // hex, lower case
};

std::vector<std::wstring> Words(const std::wstring& line) {
    std::vector<std::wstring> words;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find(L' ', start), line.size());
        words.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

// A wake packet's payload written for reading: "FF×6 + 16×(02 77 00 00 00 11)"; anything else as
// its hex. The expected text is built the same way, from the MAC's six bytes.
std::wstring PayloadText(const std::wstring& hex) {
    const std::wstring head = hex.substr(0, 12);
    const std::wstring mac = hex.size() == 204 ? hex.substr(12, 12) : L"";
    bool wake = head == L"ffffffffffff" && !mac.empty();
    for (std::size_t copy = 1; wake && copy < 16; ++copy) {
        wake = hex.compare(12 + copy * 12, 12, mac) == 0;
    }
    if (!wake) {
        return hex;
    }
    std::wstring pairs;
    for (std::size_t i = 0; i < 12; i += 2) {
        pairs += (i == 0 ? L"" : L" ") + mac.substr(i, 2);
    }
    return L"FF×6 + 16×(" + pairs + L")";
}

std::wstring ArrivalText(const Arrival& a) {
    return L"from " + a.from + L" to " + a.to + L":" + a.port + L", " + a.length + L" bytes: " + PayloadText(a.payload);
}

// A lab host's recorder log, read through Wine's Z: drive. Each send takes the lines that came
// since the one before.
class Recorder {
public:
    Recorder(std::wstring name, std::wstring path) : name_(std::move(name)), path_(std::move(path)) {}

    const std::wstring& Name() const { return name_; }
    bool Present() const { return !path_.empty() && GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::size_t Waiting() const { return Lines().size() - taken_; }

    std::vector<Arrival> TakeNew() {
        const std::vector<std::wstring> lines = Lines();
        std::vector<Arrival> arrivals;
        for (std::size_t i = taken_; i < lines.size(); ++i) {
            std::vector<std::wstring> words = Words(lines[i]);
            words.resize(5);
            arrivals.push_back(Arrival{words[0], words[1], words[2], words[3], words[4]});
        }
        taken_ = lines.size();
        return arrivals;
    }

private:
    // Whole lines only: the recorder may be half-way through one.
    std::vector<std::wstring> Lines() const {
        const std::wstring text = ReadTextFile(path_, CP_UTF8);
        std::vector<std::wstring> lines;
        std::size_t start = 0;
        for (std::size_t end = text.find(L'\n'); end != std::wstring::npos; end = text.find(L'\n', start)) {
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }

    std::wstring name_;
    std::wstring path_;
    std::size_t taken_ = 0;
};

// Waits until each recorder has at least its expected number of new lines, then a little longer
// for any that should not come, and gives what each got.
std::vector<std::vector<Arrival>> Collect(std::vector<Recorder>& recorders, const std::vector<std::size_t>& expected) {
    WaitUntil(
        [&] {
            for (std::size_t i = 0; i < recorders.size(); ++i) {
                if (recorders[i].Waiting() < expected[i]) {
                    return false;
                }
            }
            return true;
        },
        3000);
    Sleep(300);
    std::vector<std::vector<Arrival>> got;
    for (Recorder& recorder : recorders) {
        got.push_back(recorder.TakeNew());
    }
    return got;
}

std::wstring ArrivalsText(const std::vector<Arrival>& arrivals) {
    std::wstring text;
    for (const Arrival& a : arrivals) {
        text += (text.empty() ? L"" : L" | ") + ArrivalText(a);
    }
    return text.empty() ? L"nothing" : text;
}

// ---- One send ---------------------------------------------------------------------------------

enum class Mode { Lan, Wan };

struct SendCase {
    const wchar_t* name;
    Mode mode;
    const wchar_t* mac;   // MAC框
    const wchar_t* host;  // IP框 (set in LAN mode too, where it must not count)
    const wchar_t* port;  // 端口框 (likewise)
    const wchar_t* message;
    // What must arrive: the packet's six MAC bytes as hex, the destination, who receives it.
    const wchar_t* macHex;  // null: nothing is sent
    const wchar_t* to;
    int toPort;
    bool alpha;
    bool bravo;
};

// Every row sends once; the ports are chosen so that no two rows look alike at the receivers.
const SendCase kLabCases[] = {
    {L"内网", Mode::Lan, L"02-77-00-00-00-11", L"10.77.0.11", L"40009", kSent.c_str(), L"027700000011",
     kBroadcast.c_str(), 9, true, true},
    {L"外网 to alpha's address", Mode::Wan, L"02:77:00:00:00:11", L"10.77.0.11", L"40009", kSent.c_str(),
     L"027700000011", L"10.77.0.11", 40009, true, false},
    {L"外网 to bravo.lab", Mode::Wan, L"027700000012", L"bravo.lab", L"40010", kSent.c_str(), L"027700000012",
     L"10.77.0.12", 40010, false, true},
    {L"外网 to the short name alpha", Mode::Wan, L"0a:1B-2c:3D-4e:5F", L"alpha", L"40013", kSent.c_str(),
     L"0a1b2c3d4e5f", L"10.77.0.11", 40013, true, false},
    {L"外网 to a name that does not resolve", Mode::Wan, L"02-77-00-00-00-12", L"nowhere.lab", L"40011", kSent.c_str(),
     L"027700000012", kBroadcast.c_str(), 40011, true, true},
    {L"外网 to four pieces that are no numbers", Mode::Wan, L"02-77-00-00-00-11", L"a.b.c.d", L"40014", kSent.c_str(),
     L"027700000011", kBroadcast.c_str(), 40014, true, true},
    {L"外网 with an empty host", Mode::Wan, L"02-77-00-00-00-11", L"", L"40012", kSent.c_str(), L"027700000011",
     kBroadcast.c_str(), 9, true, true},
    {L"外网 with port 0", Mode::Wan, L"02-77-00-00-00-11", L"10.77.0.11", L"0", kSent.c_str(), L"027700000011",
     L"10.77.0.11", 9, true, false},
    {L"外网 with port 65545", Mode::Wan, L"02-77-00-00-00-12", L"10.77.0.12", L"65545", kSent.c_str(), L"027700000012",
     L"10.77.0.12", 9, false, true},
    {L"内网 with a MAC of ten digits", Mode::Lan, L"02-77-00-00-00", L"", L"", kNoPacket.c_str(), nullptr, L"", 0,
     false, false},
    {L"外网 with a MAC of thirteen characters", Mode::Wan, L" 027700000011", L"10.77.0.11", L"40009", kNoPacket.c_str(),
     nullptr, L"", 0, false, false},
};

// Without any network every send is refused; the message says so.
const SendCase kUnreachableCases[] = {
    {L"内网 without a network", Mode::Lan, L"02-77-00-00-00-11", L"", L"", kNotSent.c_str(), nullptr, L"", 0, false,
     false},
    {L"外网 without a network", Mode::Wan, L"02-77-00-00-00-11", L"10.77.0.11", L"40009", kNotSent.c_str(), nullptr,
     L"", 0, false, false},
};

// The one wake packet from the sender, as ArrivalsText writes it.
std::wstring ExpectedArrival(const std::wstring& macHex, const std::wstring& to, int port) {
    std::wstring payload = L"ffffffffffff";
    for (int copy = 0; copy < 16; ++copy) {
        payload += macHex;
    }
    for (wchar_t& ch : payload) {
        ch = static_cast<wchar_t>(std::towlower(ch));
    }
    return ArrivalText(Arrival{kSender, to, Number(port), L"102", payload});
}

std::wstring ExpectedArrival(const SendCase& c, bool receives) {
    return c.macHex == nullptr || !receives ? L"nothing" : ExpectedArrival(c.macHex, c.to, c.toPort);
}

struct Window {
    Product product;
    HWND main = nullptr;
    HWND mac = nullptr;
    HWND host = nullptr;
    HWND port = nullptr;
    HWND lan = nullptr;
    HWND wan = nullptr;
    HWND send = nullptr;
    std::wstring profiles;  // wol.ini beside the exe

    bool Open(const Options& options) {
        if (!Check(Start(product, options.Get(L"product")), L"the product starts")) {
            return false;
        }
        main = WaitForTopWindow(product, kProductCaption, true, 20000);
        if (!Check(main != nullptr, L"the main window shows")) {
            return false;
        }
        mac = Find(main, Ctl::MAC框);
        host = Find(main, Ctl::IP框);
        port = Find(main, Ctl::端口框);
        lan = Find(main, Ctl::单选框_内网);
        wan = Find(main, Ctl::单选框_外网);
        send = Find(main, Ctl::按钮1);
        profiles = FolderOf(options.Get(L"product")) + L"\\wol.ini";
        return Check(WaitForDialog(product.process.dwProcessId, 300) == nullptr, L"no message at start-up");
    }

    bool ProfilesWritten() const { return GetFileAttributesW(profiles.c_str()) != INVALID_FILE_ATTRIBUTES; }

    // The message the last click brought up: its text, after checking its caption; then OK.
    std::wstring AnswerMessage(const std::wstring& label) {
        const HWND box = WaitForDialog(product.process.dwProcessId, 10000);
        if (!Check(box != nullptr, label + L"a message shows")) {
            return L"";
        }
        const std::wstring text = MessageBoxText(box);
        CheckEqual(label + L"message caption", Text(box), kMessageCaption);
        PostDialogCommand(box, IDOK);
        Check(WaitUntil([&] { return !IsWindow(box); }), label + L"OK closes the message");
        return text;
    }

    void Close() {
        PostMessageW(main, WM_CLOSE, 0, 0);
        CheckEqual(L"closing the window ends the program with exit code 0", WaitForExit(product, 15000), 0);
        Check(ProfilesWritten(), L"wol.ini is there after closing");
    }
};

// Sets the boxes, picks the mode, clicks "发送WOL"; checks the message, what arrived where and that
// the profiles were saved after the attempt (wol.ini is removed before each click).
void RunCase(Window& w, std::vector<Recorder>& recorders, const SendCase& c) {
    const std::wstring label = L"[" + std::wstring(c.name) + L"] ";
    DeleteFileW(w.profiles.c_str());
    SetText(w.mac, c.mac);
    SetText(w.host, c.host);
    SetText(w.port, c.port);
    PostClick(c.mode == Mode::Lan ? w.lan : w.wan);
    PostClick(w.send);
    CheckEqual(label + L"message", w.AnswerMessage(label), c.message);
    if (!recorders.empty()) {
        // The datagram left before the message showed.
        const auto got =
            Collect(recorders, {c.macHex != nullptr && c.alpha ? 1u : 0u, c.macHex != nullptr && c.bravo ? 1u : 0u});
        for (std::size_t i = 0; i < recorders.size(); ++i) {
            const bool receives = i == 0 ? c.alpha : c.bravo;
            CheckEqual(label + recorders[i].Name() + L" receives", ArrivalsText(got[i]), ExpectedArrival(c, receives));
        }
    }
    Check(WaitUntil([&] { return w.ProfilesWritten(); }), label + L"wol.ini written after the attempt");
}

// Neither 内网 nor 外网 checked: a user cannot get there (one of the two is checked from the start
// and clicking one checks it), but BM_SETCHECK from outside can. The click then does nothing: no
// message, no datagram, no save.
void CheckNeitherMode(Window& w, std::vector<Recorder>& recorders) {
    const std::wstring label = L"[neither 内网 nor 外网] ";
    DeleteFileW(w.profiles.c_str());
    SetText(w.mac, L"02-77-00-00-00-11");
    SendMessageW(w.lan, BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(w.wan, BM_SETCHECK, BST_UNCHECKED, 0);
    Check(SendMessageW(w.lan, BM_GETCHECK, 0, 0) == BST_UNCHECKED &&
              SendMessageW(w.wan, BM_GETCHECK, 0, 0) == BST_UNCHECKED,
          label + L"both unchecked from outside");
    PostClick(w.send);
    Check(Barrier(w.mac), label + L"the click has been handled");
    Check(WaitForDialog(w.product.process.dwProcessId, 1000) == nullptr, label + L"no message");
    const auto got = Collect(recorders, {0, 0});
    for (std::size_t i = 0; i < recorders.size(); ++i) {
        CheckEqual(label + recorders[i].Name() + L" receives", ArrivalsText(got[i]), L"nothing");
    }
    Check(!w.ProfilesWritten(), label + L"wol.ini not written");
}

// A key typed into the MAC box while the click waits in the queue reaches the box before the send
// reads it: the click lets queued events run first. The product's GUI thread is held while both are
// posted, so that they are queued together.
void CheckTypedBehindTheClick(Window& w, std::vector<Recorder>& recorders) {
    const std::wstring label = L"[a digit typed behind the click] ";
    PostClick(w.lan);
    SetText(w.mac, L"02-77-00-00-00-1");
    SendMessageW(w.mac, EM_SETSEL, 16, 16);
    const bool held = SuspendThread(w.product.process.hThread) != static_cast<DWORD>(-1);
    PostClick(w.send);
    PostChars(w.mac, L"1");
    if (held) {
        ResumeThread(w.product.process.hThread);
    }
    Check(held, label + L"the product's GUI thread held while posting");
    CheckEqual(label + L"message", w.AnswerMessage(label), kSent);
    const auto got = Collect(recorders, {1, 1});
    for (std::size_t i = 0; i < recorders.size(); ++i) {
        CheckEqual(label + recorders[i].Name() + L" receives", ArrivalsText(got[i]),
                   ExpectedArrival(L"027700000011", kBroadcast, 9));
    }
    CheckEqual(label + L"the MAC box", Text(w.mac), L"02-77-00-00-00-11");
}

void RunSend(const Options& options) {
    std::vector<Recorder> recorders{Recorder(L"alpha", options.Get(L"alpha-log")),
                                    Recorder(L"bravo", options.Get(L"bravo-log"))};
    for (const Recorder& recorder : recorders) {
        if (!Check(recorder.Present(), L"the recorder log of " + recorder.Name() + L" is there")) {
            return;
        }
    }
    Window w;
    if (!w.Open(options)) {
        return;
    }
    // Whatever start-up caused (nothing is expected) does not count against the first send.
    const auto before = Collect(recorders, {0, 0});
    for (std::size_t i = 0; i < recorders.size(); ++i) {
        CheckEqual(L"at start-up " + recorders[i].Name() + L" receives", ArrivalsText(before[i]), L"nothing");
    }
    for (const SendCase& c : kLabCases) {
        RunCase(w, recorders, c);
    }
    Screenshot(options, w.main, L"after-sends");
    CheckNeitherMode(w, recorders);
    CheckTypedBehindTheClick(w, recorders);
    w.Close();
    const auto after = Collect(recorders, {0, 0});
    for (std::size_t i = 0; i < recorders.size(); ++i) {
        CheckEqual(L"after closing " + recorders[i].Name() + L" receives", ArrivalsText(after[i]), L"nothing");
    }
}
E2E_SCENARIO(L"send",
             RunSend,
             L"sends in the lab, checked at its hosts; --alpha-log=PATH --bravo-log=PATH: the recorders' logs");

void RunSendFails(const Options& options) {
    Window w;
    if (!w.Open(options)) {
        return;
    }
    std::vector<Recorder> none;
    for (const SendCase& c : kUnreachableCases) {
        RunCase(w, none, c);
    }
    w.Close();
}
E2E_SCENARIO(L"send-fails", RunSendFails, L"sends refused by a system without any network");

}  // namespace
