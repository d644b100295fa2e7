// Measures the pace of the scan's dispatch loop with the real clock and fake probes: the length of
// each pass (goal: 500 ms) and how long a found host waits between its probe's append and its row.
// Not a test: it prints figures for tools/bench, one "name: value unit" per line.
//
//   scan_bench [ADDRESSES]     default 40
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "core/state.h"
#include "scan/address.h"
#include "tests/fakes/fake_net.h"
#include "tests/fakes/fake_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int addresses = argc > 1 ? std::max(2, std::atoi(argv[1])) : 40;

    // Every address answers, after a probe time spread over a pass, so that appends land anywhere
    // within the passes.
    std::mutex mutex;
    std::map<std::uint32_t, Clock::time_point> appendedAt;
    fake::TheNet().arpHook = [&](std::uint32_t address, std::uint8_t(&mac)[6]) {
        const auto last = static_cast<unsigned>(reinterpret_cast<const std::uint8_t*>(&address)[3]);
        std::this_thread::sleep_for(std::chrono::milliseconds((last * 137u) % 450u));
        std::memset(mac, 0x02, 6);
        const std::lock_guard<std::mutex> hold(mutex);
        appendedAt[address] = Clock::now();  // the append follows within microseconds
        return true;
    };

    // The end of each pass's wait, and the rows shown by then: rows beyond that count are added in
    // the next pass, right after this moment.
    std::vector<Clock::time_point> waitEnds;
    std::vector<std::size_t> rowsShown;
    fake::TheWindow().onWait = [&](int) {
        waitEnds.push_back(Clock::now());
        rowsShown.push_back(fake::State(Ctl::超级列表框1).rows.size());
    };

    fake::State(Ctl::编辑框_扫描网段).text = "10.1.2.";
    fake::State(Ctl::编辑框_扫描起始值).text = "1";
    fake::State(Ctl::编辑框_扫描结束值).text = std::to_string(std::min(addresses, 255));
    fake::State(Ctl::编辑框_扫描线程数).text = "8";
    fake::Click(Ctl::按钮4);
    const std::shared_ptr<ScanState> scan = CurrentScan;
    while (scan->RunningWorkers.load() != 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    double sum = 0;
    double worstDeviation = 0;
    for (std::size_t i = 1; i < waitEnds.size(); ++i) {
        const double pass = Milliseconds(waitEnds[i] - waitEnds[i - 1]);
        sum += pass;
        worstDeviation = std::max(worstDeviation, std::fabs(pass - 500.0) / 500.0 * 100.0);
    }
    const double meanPass = sum / static_cast<double>(waitEnds.size() - 1);

    const auto& rows = fake::State(Ctl::超级列表框1).rows;
    double worstLatency = 0;
    double latencySum = 0;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        // Shown in the pass after the last wait whose count did not include it yet.
        std::size_t pass = 0;
        while (pass + 1 < rowsShown.size() && rowsShown[pass + 1] <= row) {
            ++pass;
        }
        const auto address = static_cast<std::uint32_t>(AddressTextToNumber(rows[row][0]));
        const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(address >> 24),
                                       static_cast<std::uint8_t>(address >> 16),
                                       static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)};
        std::uint32_t key;
        std::memcpy(&key, bytes, 4);
        const double latency = Milliseconds(waitEnds[pass] - appendedAt.at(key));
        worstLatency = std::max(worstLatency, latency);
        latencySum += latency;
    }

    std::printf("scan_pass_ms: %.1f ms\n", meanPass);
    std::printf("scan_pass_deviation: %.2f %%\n", worstDeviation);
    std::printf("scan_256_addresses_s: %.1f s\n", meanPass * 256 / 1000);
    std::printf("scan_append_to_row_ms: %.1f ms\n", worstLatency);
    std::printf("scan_append_to_row_mean_ms: %.1f ms\n", latencySum / static_cast<double>(rows.size()));
    std::printf("scan_rows_shown: %.0f %%\n", 100.0 * static_cast<double>(rows.size()) / addresses);
    return 0;
}
