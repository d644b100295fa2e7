// The process-wide variables and their release at exit.
#include "core/state.h"

std::vector<WakeProfile> ProfileList;
std::int32_t LastSelection = 0;
std::string ConfigFilePath;
std::int32_t FullPanelWidth = 0;
SocketHandle WakeSocket = 0;
std::int32_t StopFlag = 0;
std::shared_ptr<ScanState> CurrentScan;
bool ScanRunning = false;

void ReleaseSharedState() {
    ProfileList.clear();
    ProfileList.shrink_to_fit();
    // Workers still running keep their own reference; the state goes when the last of them ends.
    CurrentScan.reset();
    ConfigFilePath.clear();
    ConfigFilePath.shrink_to_fit();
}
