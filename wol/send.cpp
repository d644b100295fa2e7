// The send command ("发送WOL"): picks the destination from the LAN/WAN radio buttons and the host
// and port boxes, builds the magic packet from MAC框, sends it once through the wake socket and
// says whether the send succeeded.
#include "wol/send.h"

#include "core/ipv4_text.h"
#include "core/lookup.h"
#include "core/socket.h"
#include "core/state.h"
#include "core/text.h"
#include "profiles/profiles.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "wol/magic_packet.h"
#include "wol/target.h"

namespace {

// 255.255.255.255: the same in either byte order.
constexpr std::uint32_t kLimitedBroadcast = 0xFFFFFFFFu;

}  // namespace

void SendCommand() {
    bool windowOpen = true;
    if (IsChecked(Ctl::单选框_内网)) {
        windowOpen = SendWake("", 0);
    } else if (IsChecked(Ctl::单选框_外网)) {
        // Host and port as they are at the click; MAC框 is read later, after the queued events.
        const std::int32_t port = ToInteger(GetText(Ctl::端口框));
        windowOpen = SendWake(GetText(Ctl::IP框), port);
    } else {
        return;
    }
    // The profile selection is saved after every attempt, whatever its outcome. A window closed
    // meanwhile has saved it on its way out and has no selection left to read.
    if (windowOpen) {
        SaveProfiles();
    }
}

bool SendWake(const std::string& host, std::int32_t port) {
    if (WakeSocket <= 0) {
        return true;
    }
    // A command queued behind this click (a profile pick, a second click) runs first, so the MAC
    // box is read as the user left it.
    if (!ProcessPendingEvents()) {
        return false;
    }
    const Bytes packet = MagicPacketFromText(GetText(Ctl::MAC框));
    if (CompareBytes(packet, Bytes{})) {
        ShowMessage("生成wol包失败！");
        return true;
    }

    std::uint32_t address = kLimitedBroadcast;
    std::uint16_t destinationPort = kDefaultWakePort;
    if (CompareText(host, "") != 0) {
        destinationPort = DestinationPort(port);
        address = ResolveHostAddress(host);
    }
    const std::int32_t sent = SendDatagram(WakeSocket, packet, address, destinationPort);
    ShowMessage(JoinText({"发送 WOL ", sent > 0 ? "成功！" : "失败！"}));
    return true;
}

std::uint32_t ResolveHostAddress(const std::string& host) {
    if (IsDottedQuad(host)) {
        return ParseAddressText(host);
    }
    // A name that cannot be looked up reads as the empty text, which is the limited broadcast: the
    // packet then still reaches every host of the local network on the chosen port.
    return ParseAddressText(LookUpAddressText(host));
}

std::string LookUpAddressText(const std::string& name) {
    const std::vector<Bytes> addresses = LookUpHostAddresses(name);
    if (addresses.empty()) {
        return {};
    }
    return AddressBytesToText(addresses.front());
}
