#include "profiles/profiles.h"
void LoadProfiles() {}
void SaveProfiles() {}
void ShowSelectedProfile() {}
void AddProfile() {}
void ChangeProfile() {}
void DeleteProfile() {}
