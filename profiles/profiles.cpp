// The profile store (load, save, show) and the commands of 按钮_添加, 按钮_更改 and 按钮_删除.
//
// wol.ini is the authority: a command edits ProfileList, saves it and reloads it at once, so when
// the save fails the reload brings back what the file still holds and the edit vanishes. Between
// the edit and the reload the combo box no longer mirrors the list; only SaveProfiles reads it
// then, and only its selected index. Every index that comes from the window is checked against
// ProfileList before it is used.
#include "profiles/profiles.h"

#include <cstdint>
#include <string>

#include "core/files.h"
#include "core/state.h"
#include "core/text.h"
#include "profiles/profile_file.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

namespace {

constexpr Ctl kCombo = Ctl::组合框_配置信息;

// The position in ProfileList of the combo box's selected item, or -1 when nothing valid is
// selected.
std::int32_t SelectedProfileIndex() {
    const std::int32_t index = ComboSelection(kCombo);
    return index >= 0 && index < ListCount(ProfileList) ? index : -1;
}

std::string CheckedMode() {
    return IsChecked(Ctl::单选框_内网) ? "内网" : "外网";
}

}  // namespace

void LoadProfiles() {
    ProfileList.clear();
    ProfileFileContent content;
    {
        // Parsed straight from the bytes read, which end at their first zero byte like a text, so a
        // large file is not held twice.
        const Bytes bytes = ReadWholeFile(ConfigFilePath);
        content = ParseProfileText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    ProfileList = std::move(content.Profiles);
    if (content.HasLastSelection) {
        LastSelection = content.LastSelection;
    }

    ClearComboItems(kCombo);
    for (const WakeProfile& profile : ProfileList) {
        AppendComboItem(kCombo, JoinText({profile.Name, "|", profile.Host, "|", profile.Mac}));
    }
    const std::int32_t count = ListCount(ProfileList);
    if (LastSelection <= 0 || count == 0) {
        SetComboSelection(kCombo, -1);
    } else {
        SetComboSelection(kCombo, LastSelection > count ? count - 1 : LastSelection - 1);
    }
    ShowSelectedProfile();
}

void SaveProfiles() {
    // A failed write leaves the old file whole; nobody is told, and the next load shows that file.
    WriteWholeFile(ConfigFilePath, ToBytes(FormatProfileText(ProfileList, ComboSelection(kCombo))));
}

void ShowSelectedProfile() {
    const std::int32_t index = SelectedProfileIndex();
    if (index < 0) {
        SetText(Ctl::MAC框, "");
        SetText(Ctl::IP框, "");
        SetText(Ctl::端口框, "");
        return;
    }
    const WakeProfile& profile = ProfileList[static_cast<std::size_t>(index)];
    SetText(Ctl::MAC框, profile.Mac);
    SetText(Ctl::IP框, profile.Host);
    SetText(Ctl::端口框, profile.Port);
}

void AddProfile() {
    // The dialog's field starts with the proposed name, but the name taken is only what OK stores:
    // Cancel adds nothing, like OK with the field emptied.
    std::string field = JoinText({"配置", NumberToText(ListCount(ProfileList) + 1)});
    std::string name;
    if (AskName("请输入配置名称", "请输入配置名称", field)) {
        name = field;
    }
    if (CompareText(name, "") == 0) {
        return;
    }

    WakeProfile profile;
    profile.Name = name;
    profile.Mode = CheckedMode();
    profile.Mac = GetText(Ctl::MAC框);
    // A LAN profile keeps no host or port: it is always sent to the broadcast address.
    if (!IsChecked(Ctl::单选框_内网)) {
        profile.Host = GetText(Ctl::IP框);
        profile.Port = GetText(Ctl::端口框);
    }
    ProfileList.push_back(std::move(profile));

    // The save records the selection from before the command; the new profile is selected after
    // the reload. Should the save have failed, that is the last profile the file still holds.
    SaveProfiles();
    LoadProfiles();
    SetComboSelection(kCombo, ComboItemCount(kCombo) - 1);
    ShowSelectedProfile();
}

void ChangeProfile() {
    const std::int32_t index = SelectedProfileIndex();
    if (index < 0) {
        return;
    }
    // Cancel leaves the old name in place, so the profile still takes the boxes and the mode below.
    std::string name = ProfileList[static_cast<std::size_t>(index)].Name;
    AskName("请输入新的配置名称", "请输入新的配置名称", name);
    if (CompareText(name, "") == 0 || index >= ListCount(ProfileList)) {
        return;
    }

    WakeProfile& profile = ProfileList[static_cast<std::size_t>(index)];
    profile.Name = name;
    profile.Mode = CheckedMode();
    profile.Mac = GetText(Ctl::MAC框);
    profile.Host = GetText(Ctl::IP框);
    profile.Port = GetText(Ctl::端口框);

    // The saved selection is this profile's position, so the reload selects and shows it again.
    SaveProfiles();
    LoadProfiles();
}

void DeleteProfile() {
    const std::int32_t index = SelectedProfileIndex();
    if (index >= 0) {
        ProfileList.erase(ProfileList.begin() + index);
    }
    // Saved even when nothing was removed. The file keeps the deleted position as its last
    // selection until the next save, while the window shows nothing selected.
    SaveProfiles();
    LoadProfiles();
    SetComboSelection(kCombo, -1);
    ShowSelectedProfile();
}
