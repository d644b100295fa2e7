// The scan command: validation, the dispatch loop on the window thread, progress and results.
#pragma once

#include <cstdint>
#include <string>

// The click on 按钮4 ("扫描"). Ignored while a scan runs.
void ScanCommand();

// Scans prefix + start … prefix + end with at most threadCount workers at a time, one started per
// 500 ms pass; returns when every address has been handed out, all are done, or a stop was asked.
void RunScan(const std::string& prefix, std::int32_t start, std::int32_t end, std::int32_t threadCount);

// The click on 按钮5 ("停止").
void StopScan();

// The list view's current row changed: its three cells go to the three boxes below it.
void ShowSelectedHost();

// The text appended to the progress label at the end: "  耗时:" + seconds + "秒".
std::string ElapsedTimeText(std::uint32_t milliseconds);
