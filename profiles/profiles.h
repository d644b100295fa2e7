// The profile store and the profile commands. wol.ini is the authority: each command edits
// ProfileList, saves it and at once reloads it, so the list, the combo box and the selection are
// always rebuilt from what the file holds.
#pragma once

// Reads wol.ini into ProfileList, refills 组合框_配置信息, restores the selection and shows the
// selected profile in the MAC, host and port boxes.
void LoadProfiles();

// Writes ProfileList and the combo box's current selection to wol.ini.
void SaveProfiles();

// Copies the selected profile's Mac, Host and Port into MAC框, IP框 and 端口框, or empties them.
void ShowSelectedProfile();

// 按钮_添加, 按钮_更改 and 按钮_删除.
void AddProfile();
void ChangeProfile();
void DeleteProfile();
