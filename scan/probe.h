// The probe of one address, run by a scan worker on a thread of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/records.h"
#include "core/state.h"

// Starts the worker for the address of the scan; false when no thread could be started. The worker
// holds the scan's state until it ends.
bool StartScanWorker(const std::shared_ptr<ScanState>& scan, std::int32_t address);

// Probes the address; appends a result to the scan's list when a MAC was found; always counts the
// worker as done.
void ProbeHost(ScanState& scan, std::int32_t address);

// The result for a canonical dotted address: its MAC by ARP and, only if one was found, its name
// by reverse lookup. A non-canonical text gives the result with Ip only, without any request.
ScanResult QueryHost(const std::string& addressText);

// The MAC text of the address by ARP, or the empty text.
std::string ResolveMac(const std::string& addressText);
