// The scan command, its dispatch loop and the probe, headless: the in-memory window, the fake ARP
// and reverse lookups, and the fake clock, on which a 500 ms pass takes no time. The workers are
// real threads; a gate in the fake ARP holds them running for as long as a test needs them.
#include "scan/scan.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "core/state.h"
#include "scan/probe.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_net.h"
#include "tests/fakes/fake_window.h"
#include "tests/fakes/handler_fixture.h"

namespace {

using fake::State;
using Row = std::vector<std::string>;
using namespace std::chrono_literals;

const std::string kRangeMessage = "起始值或结束值,填写错误, 要求: 结束值>起始值,起始值>=0,结束值<=255";
const std::string kThreadCountMessage = "线程数,填写错误,线程数须大于等于1";

// Polls in real time until the condition holds; false after 10 s.
template <typename Condition>
bool Eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(200us);
    }
    return true;
}

std::uint32_t Host(std::uint8_t last) {
    return fake::Address(10, 1, 2, last);
}

std::string IpOf(std::uint8_t last) {
    return "10.1.2." + std::to_string(last);
}

// Every host of the fake network has the MAC 02:00 followed by its address bytes.
std::array<std::uint8_t, 6> MacOf(std::uint32_t address) {
    std::array<std::uint8_t, 6> mac = {0x02, 0x00};
    std::memcpy(mac.data() + 2, &address, 4);
    return mac;
}

std::string MacTextOf(std::uint8_t last) {
    char text[24];
    std::snprintf(text, sizeof text, "02:00:0A:01:02:%02X", last);
    return text;
}

// Holds ARP answers back until the test lets them through.
class Gate {
public:
    void Pass(std::uint32_t address) {
        std::unique_lock<std::mutex> hold(mutex_);
        arrived_.push_back(address);
        ++inside_;
        mostInside_ = std::max(mostInside_, inside_);
        changed_.notify_all();
        changed_.wait(hold, [&] { return allOpen_ || open_.count(address) != 0; });
        --inside_;
    }
    void Open(std::uint32_t address) {
        const std::lock_guard<std::mutex> hold(mutex_);
        open_.insert(address);
        changed_.notify_all();
    }
    void OpenAll() {
        const std::lock_guard<std::mutex> hold(mutex_);
        allOpen_ = true;
        changed_.notify_all();
    }
    bool WaitForArrivals(std::size_t count) {
        std::unique_lock<std::mutex> hold(mutex_);
        return changed_.wait_for(hold, 10s, [&] { return arrived_.size() >= count; });
    }
    std::size_t Arrivals() {
        const std::lock_guard<std::mutex> hold(mutex_);
        return arrived_.size();
    }
    int MostInside() {
        const std::lock_guard<std::mutex> hold(mutex_);
        return mostInside_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::uint32_t> arrived_;
    std::set<std::uint32_t> open_;
    bool allOpen_ = false;
    int inside_ = 0;
    int mostInside_ = 0;
};

std::int32_t Started(const ScanState& scan) {
    return scan.RunningWorkers.load() + scan.CompletedWorkers.load();
}

bool AllDone(const std::shared_ptr<ScanState>& scan) {
    return Eventually([&] { return scan->RunningWorkers.load() == 0; });
}

std::vector<Row> Rows() {
    return State(Ctl::超级列表框1).rows;
}

std::string Label() {
    return State(Ctl::标签_进度条).text;
}

class ScanTest : public HandlerTest {
protected:
    void SetUp() override {
        HandlerTest::SetUp();
        Fresh();
    }

    void TearDown() override {
        FinishWorkers();
        HandlerTest::TearDown();
    }

    // A new window and network whose every address answers ARP once the gate lets it through.
    void Fresh() {
        FinishWorkers();
        fake::ResetWindow();
        fake::ResetNet();
        gate = std::make_shared<Gate>();
        fake::TheNet().arpHook = [g = gate](std::uint32_t address, std::uint8_t(&mac)[6]) {
            g->Pass(address);
            const auto answer = MacOf(address);
            std::memcpy(mac, answer.data(), 6);
            return true;
        };
        State(Ctl::编辑框_扫描网段).text = "10.1.2.";
    }

    // Lets every worker finish and waits for them, so none outlives the fakes it uses.
    void FinishWorkers() {
        if (gate) {
            gate->OpenAll();
        }
        scans.push_back(CurrentScan);
        for (const auto& scan : scans) {
            if (scan) {
                ASSERT_TRUE(AllDone(scan));
            }
        }
        scans.clear();
    }

    // Every pass waits for the workers it started, so each pass starts exactly one.
    static void SettleEachPass() {
        fake::TheWindow().onWait = [](int) { ASSERT_TRUE(AllDone(CurrentScan)); };
    }

    static void Scan(const char* start, const char* end, const char* threads) {
        State(Ctl::编辑框_扫描起始值).text = start;
        State(Ctl::编辑框_扫描结束值).text = end;
        State(Ctl::编辑框_扫描线程数).text = threads;
        fake::Click(Ctl::按钮4);
    }

    std::shared_ptr<Gate> gate;
    std::vector<std::shared_ptr<ScanState>> scans;  // earlier scans whose workers may still run
};

TEST_F(ScanTest, RefusesABadRangeOrThreadCountAndCorrectsOneBox) {
    struct Case {
        const char* name;
        const char* start;
        const char* end;
        const char* threads;
        const std::string& message;
        // The three boxes afterwards: start, end, thread count.
        const char* wantStart;
        const char* wantEnd;
        const char* wantThreads;
    } cases[] = {
        {"start below 0", "-1", "255", "8", kRangeMessage, "0", "255", "8"},
        {"end above 255", "0", "300", "8", kRangeMessage, "0", "255", "8"},
        {"end below start: the start box as typed", "10abc", "5", "8", kRangeMessage, "10abc", "10abc", "8"},
        {"several faults: the first test decides", "-5", "300", "0", kRangeMessage, "0", "300", "0"},
        {"thread count 0", "0", "3", "0", kThreadCountMessage, "0", "3", "1"},
        {"thread count -2", "0", "3", "-2", kThreadCountMessage, "0", "3", "1"},
        {"thread count without digits", "0", "3", "abc", kThreadCountMessage, "0", "3", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        State(Ctl::超级列表框1).rows = {{"10.1.2.9", "old", "02:00:0A:01:02:09"}};
        Scan(c.start, c.end, c.threads);
        EXPECT_EQ(fake::TheWindow().messages, std::vector<std::string>{c.message});
        EXPECT_EQ(State(Ctl::编辑框_扫描起始值).text, c.wantStart);
        EXPECT_EQ(State(Ctl::编辑框_扫描结束值).text, c.wantEnd);
        EXPECT_EQ(State(Ctl::编辑框_扫描线程数).text, c.wantThreads);
        EXPECT_EQ(Rows().size(), 1u);
        EXPECT_EQ(Label(), "0/256");
        EXPECT_EQ(CurrentScan, nullptr);
        EXPECT_TRUE(fake::TheNet().arpRequests.empty());
    }
}

TEST_F(ScanTest, AcceptedInputsScanEveryAddressOfTheRange) {
    struct Case {
        const char* name;
        const char* start;
        const char* end;
        const char* threads;
        const char* wantThreads;
        std::uint8_t first;
        std::uint8_t last;
        const char* wantLabel;  // one pass per address, 500 ms each
    } cases[] = {
        {"empty start counts as 0", "", "255", "8", "8", 0, 255, "256/256  耗时:128秒"},
        {"one address", "5", "5", "8", "1", 5, 5, "1/1  耗时:0.5秒"},
        {"thread count cut to the address count", "0", "3", "8", "4", 0, 3, "4/4  耗时:2秒"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        gate->OpenAll();
        SettleEachPass();
        StopFlag = 1;  // a click on "停止" before the scan does not stop it
        Scan(c.start, c.end, c.threads);
        ASSERT_TRUE(AllDone(CurrentScan));

        EXPECT_TRUE(fake::TheWindow().messages.empty());
        EXPECT_EQ(State(Ctl::编辑框_扫描线程数).text, c.wantThreads);
        std::vector<std::uint32_t> asked = fake::TheNet().arpRequests;
        std::sort(asked.begin(), asked.end(), [](std::uint32_t a, std::uint32_t b) { return ntohl(a) < ntohl(b); });
        std::vector<std::uint32_t> want;
        std::vector<Row> wantRows;
        for (int last = c.first; last <= c.last; ++last) {
            want.push_back(Host(static_cast<std::uint8_t>(last)));
            wantRows.push_back({IpOf(static_cast<std::uint8_t>(last)), "", MacTextOf(static_cast<std::uint8_t>(last))});
        }
        EXPECT_EQ(asked, want);
        EXPECT_EQ(Rows(), wantRows);  // settled passes: finished, and so listed, in address order
        EXPECT_EQ(Label(), c.wantLabel);
        EXPECT_EQ(State(Ctl::进度条1).progressMaximum, static_cast<std::int32_t>(want.size()));
        EXPECT_EQ(State(Ctl::进度条1).progressPosition, static_cast<std::int32_t>(want.size()));
        EXPECT_EQ(StopFlag, 0);
        EXPECT_FALSE(ScanRunning);
    }
}

TEST_F(ScanTest, TheBarAndLabelFollowTheFinishedWorkersPassByPass) {
    fake::SetClock(0xFFFFFFFFu - 700);  // the tick count wraps around during the scan
    gate->OpenAll();
    std::vector<std::string> labels;
    std::vector<std::int32_t> positions;
    fake::TheWindow().onWait = [&](int) {
        labels.push_back(Label());  // as the previous pass left it
        positions.push_back(State(Ctl::进度条1).progressPosition);
        EXPECT_EQ(State(Ctl::进度条1).progressMaximum, 3);
        ASSERT_TRUE(AllDone(CurrentScan));
    };
    Scan("1", "3", "2");
    EXPECT_EQ(labels, (std::vector<std::string>{"0/3", "1/3", "2/3"}));
    EXPECT_EQ(positions, (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(Label(), "3/3  耗时:1.5秒");
    EXPECT_EQ(fake::TheWindow().waitDurations, (std::vector<std::uint32_t>{500, 500, 500}));
    EXPECT_EQ(fake::TheWindow().pendingEventRuns, 3);
}

TEST_F(ScanTest, StartsOneWorkerPerPassAndNeverMoreThanTheThreadCount) {
    std::vector<std::int32_t> started;
    fake::TheWindow().onWait = [&](int pass) {
        const ScanState& scan = *CurrentScan;
        if (pass <= 2) {
            ASSERT_TRUE(gate->WaitForArrivals(static_cast<std::size_t>(pass)));
        }
        started.push_back(Started(scan));
        if (pass == 3) {  // both places taken: nothing was started; free one
            gate->Open(Host(1));
            ASSERT_TRUE(Eventually([&] { return scan.CompletedWorkers.load() == 1; }));
        }
        if (pass == 4) {  // two places free from here on, still one worker per pass
            gate->OpenAll();
        }
        if (pass >= 4) {
            ASSERT_TRUE(AllDone(CurrentScan));
        }
    };
    Scan("1", "6", "2");
    EXPECT_EQ(started, (std::vector<std::int32_t>{1, 2, 2, 3, 4, 5, 6}));
    EXPECT_LE(gate->MostInside(), 2);
    EXPECT_EQ(Label(), "6/6  耗时:3.5秒");
}

TEST_F(ScanTest, ResultsThatArriveBetweenTwoPassesAreShownInTheListsOrder) {
    fake::TheNet().reverseNames[Host(1)] = "one.lab";
    std::vector<Row> rowsAfterThirdPass;
    fake::TheWindow().onWait = [&](int pass) {
        ASSERT_TRUE(gate->WaitForArrivals(static_cast<std::size_t>(std::min(pass, 3))));
        if (pass == 2) {  // .2 finishes before .1, both within this pass
            gate->Open(Host(2));
            ASSERT_TRUE(Eventually([] { return CurrentScan->CompletedWorkers.load() == 1; }));
            gate->Open(Host(1));
            ASSERT_TRUE(Eventually([] { return CurrentScan->CompletedWorkers.load() == 2; }));
            EXPECT_TRUE(Rows().empty());
        }
        if (pass == 3) {
            rowsAfterThirdPass = Rows();
            gate->OpenAll();
            ASSERT_TRUE(AllDone(CurrentScan));
        }
    };
    Scan("1", "3", "2");
    const Row one = {IpOf(1), "one.lab", MacTextOf(1)};
    const Row two = {IpOf(2), "", MacTextOf(2)};
    const Row three = {IpOf(3), "", MacTextOf(3)};
    EXPECT_EQ(rowsAfterThirdPass, (std::vector<Row>{two, one}));
    EXPECT_EQ(Rows(), (std::vector<Row>{two, one, three}));
}

TEST_F(ScanTest, AHostThatAnsweredBeforeTheLoopEndedIsListed) {
    // The last address is handed out in the last pass; the loop ends at the next test, before any
    // further pass could show its result. It is shown all the same.
    gate->OpenAll();
    SettleEachPass();
    Scan("7", "7", "1");
    EXPECT_EQ(Rows(), (std::vector<Row>{{IpOf(7), "", MacTextOf(7)}}));
}

TEST_F(ScanTest, StopEndsTheLoopAtTheNextPassAndLateResultsStayUnlisted) {
    fake::TheWindow().onWait = [&](int pass) {
        ASSERT_TRUE(gate->WaitForArrivals(static_cast<std::size_t>(pass)));
        if (pass == 2) {
            fake::Click(Ctl::按钮5);
        }
    };
    Scan("1", "10", "3");
    const std::shared_ptr<ScanState> stopped = CurrentScan;
    EXPECT_EQ(Started(*stopped), 2);
    EXPECT_EQ(fake::TheWindow().waits, 2);
    EXPECT_EQ(State(Ctl::进度条1).progressPosition, 10);
    EXPECT_EQ(Label(), "10/10  耗时:1秒");
    EXPECT_EQ(StopFlag, 0);

    gate->OpenAll();
    ASSERT_TRUE(AllDone(stopped));
    EXPECT_EQ(stopped->CompletedWorkers.load(), 2);
    const LockGuard hold(stopped->ResultLock);
    EXPECT_EQ(stopped->ScanResultList.size(), 2u);
    EXPECT_TRUE(Rows().empty());
}

TEST_F(ScanTest, LateWorkersOfAStoppedScanStayOutOfTheNextOne) {
    // The first scan is stopped with three workers still asking; they answer during the second.
    fake::TheWindow().onWait = [&](int pass) {
        ASSERT_TRUE(gate->WaitForArrivals(static_cast<std::size_t>(pass)));
        if (pass == 3) {
            fake::Click(Ctl::按钮5);
        }
    };
    State(Ctl::编辑框_扫描网段).text = "10.1.1.";
    Scan("1", "3", "3");
    const std::shared_ptr<ScanState> first = CurrentScan;
    scans.push_back(first);
    ASSERT_EQ(first->RunningWorkers.load(), 3);

    State(Ctl::编辑框_扫描网段).text = "10.1.2.";
    for (int last = 1; last <= 4; ++last) {
        gate->Open(Host(static_cast<std::uint8_t>(last)));
    }
    fake::TheWindow().waits = 0;
    fake::TheWindow().onWait = [&](int pass) {
        if (pass == 1) {
            gate->OpenAll();
            ASSERT_TRUE(AllDone(first));
        }
        ASSERT_TRUE(AllDone(CurrentScan));
    };
    Scan("1", "4", "1");
    const std::shared_ptr<ScanState> second = CurrentScan;
    ASSERT_NE(second, first);

    EXPECT_EQ(second->CompletedWorkers.load(), 4);
    EXPECT_EQ(second->RunningWorkers.load(), 0);
    EXPECT_EQ(Rows(), (std::vector<Row>{{IpOf(1), "", MacTextOf(1)},
                                        {IpOf(2), "", MacTextOf(2)},
                                        {IpOf(3), "", MacTextOf(3)},
                                        {IpOf(4), "", MacTextOf(4)}}));
    EXPECT_EQ(Label(), "4/4  耗时:2秒");  // every address had its pass
    EXPECT_EQ(first->CompletedWorkers.load(), 3);
    EXPECT_EQ(first->RunningWorkers.load(), 0);
    const LockGuard hold(first->ResultLock);
    EXPECT_EQ(first->ScanResultList.size(), 3u);
}

TEST_F(ScanTest, AClickOnScanWhileAScanRunsIsIgnored) {
    gate->OpenAll();
    std::shared_ptr<ScanState> duringFirstPass;
    fake::TheWindow().onWait = [&](int pass) {
        ASSERT_TRUE(AllDone(CurrentScan));
        if (pass == 1) {
            duringFirstPass = CurrentScan;
            Scan("200", "100", "0");  // would be refused with a message if it ran
        }
    };
    Scan("1", "2", "2");
    EXPECT_EQ(CurrentScan, duringFirstPass);
    EXPECT_TRUE(fake::TheWindow().messages.empty());
    EXPECT_EQ(fake::TheNet().arpRequests.size(), 2u);
    EXPECT_EQ(Label(), "2/2  耗时:1秒");
    EXPECT_FALSE(ScanRunning);
}

TEST_F(ScanTest, ClosingTheWindowEndsTheLoopAndLeavesTheWindowAlone) {
    gate->OpenAll();
    std::string labelAtClose;
    fake::TheWindow().onWait = [&](int pass) {
        ASSERT_TRUE(AllDone(CurrentScan));
        if (pass == 2) {
            labelAtClose = Label();
            fake::CloseWindow();
        }
    };
    Scan("1", "5", "2");
    EXPECT_EQ(fake::TheWindow().waits, 2);
    EXPECT_EQ(Label(), labelAtClose);
    EXPECT_EQ(Rows().size(), 1u);  // the first pass's result only
    EXPECT_LT(State(Ctl::进度条1).progressPosition, 5);
    EXPECT_FALSE(ScanRunning);
    EXPECT_EQ(StopFlag, 0);
}

TEST_F(ScanTest, TwoHundredFiftyFiveWorkersRunAtOnce) {
    fake::TheWindow().onWait = [&](int pass) {
        if (pass == 255) {
            ASSERT_TRUE(gate->WaitForArrivals(255));
            EXPECT_EQ(gate->MostInside(), 255);
            gate->OpenAll();
            ASSERT_TRUE(AllDone(CurrentScan));
        }
    };
    Scan("0", "254", "255");
    const std::vector<Row> rows = Rows();
    ASSERT_EQ(rows.size(), 255u);
    std::set<std::string> ips;
    for (const Row& row : rows) {
        ips.insert(row[0]);
        const std::uint8_t last = static_cast<std::uint8_t>(std::stoi(row[0].substr(7)));
        EXPECT_EQ(row, (Row{IpOf(last), "", MacTextOf(last)}));
    }
    EXPECT_EQ(ips.size(), 255u);
    EXPECT_EQ(Label(), "255/255  耗时:127.5秒");
}

TEST_F(ScanTest, PickingARowCopiesItsCellsIntoTheThreeBoxes) {
    State(Ctl::超级列表框1).rows = {{"10.1.2.1", "one.lab", "02:00:0A:01:02:01"},
                                    {"10.1.2.2", "", "02:00:0A:01:02:02"}};
    fake::SelectRow(Ctl::超级列表框1, 0);
    EXPECT_EQ(State(Ctl::编辑框_所选IP).text, "10.1.2.1");
    EXPECT_EQ(State(Ctl::编辑框_所选主机名).text, "one.lab");
    EXPECT_EQ(State(Ctl::编辑框_所选MAC).text, "02:00:0A:01:02:01");

    fake::SelectRow(Ctl::超级列表框1, 1);
    EXPECT_EQ(State(Ctl::编辑框_所选IP).text, "10.1.2.2");
    EXPECT_EQ(State(Ctl::编辑框_所选主机名).text, "");
    EXPECT_EQ(State(Ctl::编辑框_所选MAC).text, "02:00:0A:01:02:02");

    // No row selected (the list emptied): the boxes keep what they show.
    fake::SelectRow(Ctl::超级列表框1, -1);
    EXPECT_EQ(State(Ctl::编辑框_所选IP).text, "10.1.2.2");
    EXPECT_EQ(State(Ctl::编辑框_所选MAC).text, "02:00:0A:01:02:02");
}

TEST(ElapsedTimeText, SecondsWithTheDecimalsNeededOnly) {
    struct Case {
        std::uint32_t milliseconds;
        const char* want;
    } cases[] = {
        {128000, "  耗时:128秒"}, {131250, "  耗时:131.25秒"}, {500, "  耗时:0.5秒"},
        {0, "  耗时:0秒"},        {1, "  耗时:0.001秒"},       {4294967295u, "  耗时:4294967.295秒"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.milliseconds);
        EXPECT_EQ(ElapsedTimeText(c.milliseconds), c.want);
    }
}

// The probe on the fake network, on the test's own thread.
class ProbeTest : public HandlerTest {};

TEST_F(ProbeTest, OnlyACanonicalAddressTextIsAskedFor) {
    fake::TheNet().arpTable[fake::Address(192, 168, 1, 5)] = {0, 0x1A, 0x2B, 0x0C, 0xD4, 0xFF};
    for (const char* text : {"192.168.01.5", "192.168.1.5.9", "192.168.300.5", "192.168.1.", "192.168.1", "",
                             " 192.168.1.5", "192.168.1.5 ", "0x7f.0.0.1"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(QueryHost(text), (ScanResult{text, "", ""}));
    }
    EXPECT_TRUE(fake::TheNet().arpRequests.empty());
    EXPECT_TRUE(fake::TheNet().reverseLookups.empty());
}

TEST_F(ProbeTest, TheNameIsLookedUpOnlyForAnAddressThatAnswered) {
    auto& net = fake::TheNet();
    const std::uint32_t named = fake::Address(192, 168, 1, 5);
    const std::uint32_t nameless = fake::Address(192, 168, 1, 6);
    const std::uint32_t silent = fake::Address(192, 168, 1, 7);
    const std::uint32_t longName = fake::Address(192, 168, 1, 8);
    const std::uint32_t zero = fake::Address(192, 168, 1, 0);
    net.arpTable[named] = {0, 0x1A, 0x2B, 0x0C, 0xD4, 0xFF};
    net.arpTable[nameless] = {2, 0, 0, 0, 0, 6};
    net.arpTable[longName] = {2, 0, 0, 0, 0, 8};
    net.arpTable[zero] = {2, 0, 0, 0, 0, 0};
    net.arpTable[0xFFFFFFFFu] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    net.reverseNames[named] = "pc5.lab";
    net.reverseNames[silent] = "pc7.lab";
    net.reverseNames[longName] = std::string(300, 'n');
    net.reverseNames[0xFFFFFFFFu] = "everyone";

    struct Case {
        const char* text;
        ScanResult want;
        bool lookedUp;
    } cases[] = {
        {"192.168.1.5", {"192.168.1.5", "pc5.lab", "00:1A:2B:0C:D4:FF"}, true},
        {"192.168.1.6", {"192.168.1.6", "", "02:00:00:00:00:06"}, true},
        {"192.168.1.7", {"192.168.1.7", "", ""}, false},
        {"192.168.1.8", {"192.168.1.8", std::string(255, 'n'), "02:00:00:00:00:08"}, true},
        {"192.168.1.0", {"192.168.1.0", "", "02:00:00:00:00:00"}, true},
        // inet_addr cannot tell this address from a failure: no name is looked up.
        {"255.255.255.255", {"255.255.255.255", "", "FF:FF:FF:FF:FF:FF"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        net.reverseLookups.clear();
        EXPECT_EQ(QueryHost(c.text), c.want);
        EXPECT_EQ(net.reverseLookups.size(), c.lookedUp ? 1u : 0u);
    }
}

TEST_F(ProbeTest, ProbeHostListsFoundHostsAndCountsEveryAddress) {
    fake::TheNet().arpTable[fake::Address(192, 168, 1, 5)] = {0, 0x1A, 0x2B, 0x0C, 0xD4, 0xFF};
    ScanState scan;
    scan.RunningWorkers = 2;
    ProbeHost(scan, static_cast<std::int32_t>(0xC0A80107u));  // 192.168.1.7: silent
    EXPECT_TRUE(scan.ScanResultList.empty());
    EXPECT_EQ(scan.RunningWorkers.load(), 1);
    EXPECT_EQ(scan.CompletedWorkers.load(), 1);

    ProbeHost(scan, static_cast<std::int32_t>(0xC0A80105u));  // 192.168.1.5, a negative number
    EXPECT_EQ(scan.ScanResultList, (std::vector<ScanResult>{{"192.168.1.5", "", "00:1A:2B:0C:D4:FF"}}));
    EXPECT_EQ(scan.RunningWorkers.load(), 0);
    EXPECT_EQ(scan.CompletedWorkers.load(), 2);
}

}  // namespace
