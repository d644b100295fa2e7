// The probe of one address, run by a scan worker on a thread of its own: ARP for the MAC, then, only
// for an address that answered, the reverse lookup of its name. The worker reports only through its
// scan's state (the result list under its lock, the two atomic counters) and never touches a
// window control or StopFlag: a stop does not cut a probe short.
#include "scan/probe.h"

#include <utility>

#include "core/lookup.h"
#include "core/socket.h"
#include "core/thread.h"
#include "scan/address.h"
#include "scan/arp.h"

namespace {

// What the dispatch loop hands to a new thread. The worker owns it, and with it a reference to its
// scan's state, which thus lives until the last of the scan's workers has ended, whether or not the
// scan, a later scan or the window is still there.
struct WorkerStart {
    std::shared_ptr<ScanState> scan;
    std::int32_t address;
};

void ScanWorker(void* argument) {
    const std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(argument));
    ProbeHost(*start->scan, start->address);
}

}  // namespace

bool StartScanWorker(const std::shared_ptr<ScanState>& scan, std::int32_t address) {
    auto start = std::make_unique<WorkerStart>(WorkerStart{scan, address});
    if (!StartDetachedThread(ScanWorker, start.get())) {
        return false;
    }
    start.release();  // the thread owns it now
    return true;
}

void ProbeHost(ScanState& scan, std::int32_t address) {
    const ScanResult result = QueryHost(AddressNumberToText(address));
    if (!result.Mac.empty()) {
        const LockGuard hold(scan.ResultLock);
        scan.ScanResultList.push_back(result);
    }
    // Last, and for every address: once CompletedWorkers reaches ScanTotal the loop may end.
    scan.RunningWorkers.fetch_sub(1);
    scan.CompletedWorkers.fetch_add(1);
}

ScanResult QueryHost(const std::string& addressText) {
    ScanResult result;
    result.Ip = addressText;
    // Only a text that is its own canonical form goes out on the network.
    if (CompareText(AddressNumberToText(AddressTextToNumber(addressText)), addressText) != 0) {
        return result;
    }
    result.Mac = ResolveMac(addressText);
    if (result.Mac.empty()) {
        return result;
    }
    const std::uint32_t address = ParseAddressText(addressText);
    if (address != 0xFFFFFFFFu) {
        result.HostName = HostNameWithinLimit(ReverseLookUpName(address));
    }
    return result;
}

std::string ResolveMac(const std::string& addressText) {
    std::uint8_t mac[6] = {};
    if (!RequestHardwareAddress(ParseAddressText(addressText), mac)) {
        return {};
    }
    return MacBytesToText(mac);
}
