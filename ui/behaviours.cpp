// The narrow and wide layout, the help panel, the change of page and the LAN/WAN mode.
#include "ui/behaviours.h"

#include <algorithm>

#include "core/ipv4_text.h"
#include "core/lookup.h"
#include "core/state.h"
#include "core/text.h"
#include "ui/controls.h"
#include "ui/layout.h"

namespace {

constexpr std::size_t kMaxLocalAddresses = 10;

}  // namespace

void SetWindowWide(bool wide) {
    SetWidth(Ctl::分组框, wide ? FullPanelWidth : kNarrowPanelWidth);
    SetWidth(Ctl::主窗口, Width(Ctl::分组框) + kFrameAllowance);
}

void ToggleHelpPanel() {
    SetWindowWide(Width(Ctl::分组框) <= kNarrowPanelWidth);
}

void ApplyTabPage() {
    if (CurrentPage(Ctl::选择夹1) == 0) {
        SetWindowWide(false);
    }
    if (CurrentPage(Ctl::选择夹1) == 1) {
        // A computer with a single address (the common single-NIC case) refills the prefix too.
        const std::vector<std::string> addresses = LocalAddressList();
        if (!addresses.empty()) {
            SetText(Ctl::编辑框_扫描网段, SubnetPrefixOf(addresses.front()));
        }
        SetWindowWide(true);
    }
}

void ApplyNetworkMode() {
    SetVisible(Ctl::分组框_外网信息, IsChecked(Ctl::单选框_外网));
}

std::string SubnetPrefixOf(std::string_view address) {
    return TextLeft(address, FindTextReverse(address, "."));
}

std::vector<std::string> LocalAddressList() {
    std::vector<std::string> texts;
    const std::string name = OwnHostName();
    if (name.empty()) {
        return texts;
    }
    const std::vector<Bytes> addresses = LookUpHostAddresses(name);
    const std::size_t count = std::min(addresses.size(), kMaxLocalAddresses);
    for (std::size_t i = 0; i < count; ++i) {
        texts.push_back(AddressBytesToText(addresses[i]));
    }
    return texts;
}
