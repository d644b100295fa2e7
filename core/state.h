// The records of the tool and every process-wide variable, in one place.
//
// Everything here is used on the window thread only, except a scan's ScanState, which the scan's
// worker threads share: its result list under its lock, its counters as atomics.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/socket.h"
#include "core/thread.h"

// What one scan shares with its workers. Each scan has its own, and every worker holds a reference
// to its scan's state until it ends: a worker that outlives its scan, or the window, only ever
// touches the state of the scan that started it, so late workers can neither skew a newer scan's
// counters nor list hosts in it.
struct ScanState {
    Lock ResultLock;                         // guards ScanResultList
    std::vector<ScanResult> ScanResultList;  // in the order the probes finished
    std::atomic<std::int32_t> RunningWorkers{0};
    std::atomic<std::int32_t> CompletedWorkers{0};
    std::int32_t ScanTotal = 0;  // set before the first worker starts, then only read
};

// The saved profiles, positions counted from 1; mirrored one to one by 组合框_配置信息.
extern std::vector<WakeProfile> ProfileList;
// The number read from the last-selection line of wol.ini: 1-based, 0 for none.
extern std::int32_t LastSelection;
// Full path text of wol.ini beside the program.
extern std::string ConfigFilePath;
// Width of 分组框 as laid out, read once at start-up: the wide layout's panel width.
extern std::int32_t FullPanelWidth;
// The UDP socket for wake packets: greater than 0 when open.
extern SocketHandle WakeSocket;
// 1 asks the running scan to stop; only the window thread uses it.
extern std::int32_t StopFlag;
// The state of the current scan, or of the last one when none runs; empty before the first.
extern std::shared_ptr<ScanState> CurrentScan;
// True while a scan's dispatch loop runs, so a second click on "扫描" is ignored.
extern bool ScanRunning;

// Frees the profiles, the scan results and the path; run once when the program ends.
void ReleaseSharedState();
