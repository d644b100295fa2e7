// The scan command of the page "扫描局域网": validation of the range and thread count, the dispatch
// loop that runs on the window thread and hands one address per 500 ms pass to a worker, the
// progress bar and its label, the result rows, the stop button and the copying of a picked row.
//
// Each scan gets a ScanState of its own, shared with its workers (see core/state.h); the loop keeps
// the window responsive by waiting while it processes window events, and stops touching the window
// the moment the window is closed.
#include "scan/scan.h"

#include <vector>

#include "core/clock.h"
#include "core/state.h"
#include "core/text.h"
#include "scan/address.h"
#include "scan/probe.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

namespace {

constexpr const char* kRangeMessage = "起始值或结束值,填写错误, 要求: 结束值>起始值,起始值>=0,结束值<=255";
constexpr const char* kThreadCountMessage = "线程数,填写错误,线程数须大于等于1";
constexpr std::uint32_t kPassMilliseconds = 500;

// The label under the bar reads position "/" maximum, both read back from the bar.
void ShowProgressCount() {
    SetText(Ctl::标签_进度条,
            JoinText({NumberToText(ProgressPosition(Ctl::进度条1)), "/", NumberToText(ProgressMaximum(Ctl::进度条1))}));
}

// Adds a row for every result the workers appended since the last call, in the list's order. The
// new entries are copied under the lock and shown outside it, so a worker never waits for the window.
void ShowNewResults(ScanState& scan, std::size_t& shown) {
    std::vector<ScanResult> fresh;
    {
        const LockGuard hold(scan.ResultLock);
        if (scan.ScanResultList.size() > shown) {
            fresh.assign(scan.ScanResultList.begin() + static_cast<std::ptrdiff_t>(shown), scan.ScanResultList.end());
            shown = scan.ScanResultList.size();
        }
    }
    for (const ScanResult& result : fresh) {
        AppendListRow(Ctl::超级列表框1, {result.Ip, result.HostName, result.Mac});
    }
}

// Marks the dispatch loop as running for as long as it exists.
struct RunningScanMark {
    RunningScanMark() { ScanRunning = true; }
    ~RunningScanMark() { ScanRunning = false; }
    RunningScanMark(const RunningScanMark&) = delete;
    RunningScanMark& operator=(const RunningScanMark&) = delete;
};

}  // namespace

void ScanCommand() {
    // The loop processes window events, so a click on "扫描" can arrive while it runs. A second
    // loop inside the first would take the window from it; the click is ignored instead.
    if (ScanRunning) {
        return;
    }
    const std::string startText = GetText(Ctl::编辑框_扫描起始值);
    const std::int32_t start = ToInteger(startText);
    const std::int32_t end = ToInteger(GetText(Ctl::编辑框_扫描结束值));
    std::int32_t threadCount = ToInteger(GetText(Ctl::编辑框_扫描线程数));

    if (start < 0) {
        ShowMessage(kRangeMessage);
        SetText(Ctl::编辑框_扫描起始值, "0");
        return;
    }
    if (end > 255) {
        ShowMessage(kRangeMessage);
        SetText(Ctl::编辑框_扫描结束值, "255");
        return;
    }
    if (end < start) {
        ShowMessage(kRangeMessage);
        SetText(Ctl::编辑框_扫描结束值, startText);
        return;
    }
    if (threadCount <= 0) {
        ShowMessage(kThreadCountMessage);
        SetText(Ctl::编辑框_扫描线程数, "1");
        return;
    }

    // More workers than addresses would never run.
    const std::int32_t count = end - start + 1;
    if (threadCount > count) {
        threadCount = count;
        SetText(Ctl::编辑框_扫描线程数, NumberToText(count));
    }

    // A click on "停止" while no scan runs has no lasting effect: it stops neither this scan nor the next.
    StopFlag = 0;
    RunScan(GetText(Ctl::编辑框_扫描网段), start, end, threadCount);
    StopFlag = 0;
}

void RunScan(const std::string& prefix, std::int32_t start, std::int32_t end, std::int32_t threadCount) {
    const RunningScanMark running;
    const std::uint32_t startTime = TickCount();

    // The earlier scan's state stays with its late workers, if any, and goes when the last one ends:
    // they cannot reach this scan's counters or list.
    const auto scan = std::make_shared<ScanState>();
    CurrentScan = scan;
    ClearListRows(Ctl::超级列表框1);

    std::vector<std::int32_t> queue;
    for (std::int64_t number = start; number <= end; ++number) {
        const std::string text = JoinText({prefix, NumberToText(static_cast<std::int32_t>(number))});
        queue.push_back(static_cast<std::int32_t>(static_cast<std::uint32_t>(AddressTextToNumber(text))));
    }
    scan->ScanTotal = ListCount(queue);

    SetProgressPosition(Ctl::进度条1, 0);
    SetProgressMaximum(Ctl::进度条1, scan->ScanTotal);
    ShowProgressCount();

    std::size_t next = 0;  // the front of the queue
    std::size_t shown = 0;
    for (;;) {
        if (next == queue.size() || scan->CompletedWorkers.load() >= scan->ScanTotal) {
            break;
        }
        if (StopFlag == 1) {
            break;
        }
        if (scan->RunningWorkers.load() < threadCount) {
            const std::int32_t address = queue[next++];
            scan->RunningWorkers.fetch_add(1);
            if (!StartScanWorker(scan, address)) {
                // Without a thread the address is given up as if nobody answered; counted as running
                // for ever it would hold a worker's place, and with every place held the loop would
                // never hand out the rest of the queue.
                scan->RunningWorkers.fetch_sub(1);
                scan->CompletedWorkers.fetch_add(1);
            }
        }
        ShowNewResults(*scan, shown);
        // The window was closed (and the profiles saved) while we waited: leave without touching it.
        if (!WaitProcessingEvents(kPassMilliseconds)) {
            return;
        }
        SetProgressPosition(Ctl::进度条1, scan->CompletedWorkers.load());
        ShowProgressCount();
        if (!ProcessPendingEvents()) {
            return;
        }
    }

    // Hosts that answered before the loop ended get their rows too; those of workers still running
    // stay in the scan's list only.
    ShowNewResults(*scan, shown);
    SetProgressPosition(Ctl::进度条1, ProgressMaximum(Ctl::进度条1));
    ShowProgressCount();
    SetText(Ctl::标签_进度条, JoinText({GetText(Ctl::标签_进度条), ElapsedTimeText(TickCount() - startTime)}));
}

void StopScan() {
    StopFlag = 1;
}

void ShowSelectedHost() {
    // The current row can change while no row is selected (the list being emptied): the boxes then
    // keep what they show.
    const std::int32_t row = ListSelection(Ctl::超级列表框1);
    if (row < 0) {
        return;
    }
    SetText(Ctl::编辑框_所选IP, ListCell(Ctl::超级列表框1, row, 0));
    SetText(Ctl::编辑框_所选主机名, ListCell(Ctl::超级列表框1, row, 1));
    SetText(Ctl::编辑框_所选MAC, ListCell(Ctl::超级列表框1, row, 2));
}

std::string ElapsedTimeText(std::uint32_t milliseconds) {
    return JoinText({"  耗时:", NumberToText(static_cast<double>(milliseconds) / 1000.0), "秒"});
}
