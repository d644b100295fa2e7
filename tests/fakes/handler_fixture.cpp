// The handler tests' fixture.
#include "tests/fakes/handler_fixture.h"

#include <stdlib.h>

#include <filesystem>

#include "core/files.h"
#include "core/state.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_net.h"
#include "tests/fakes/fake_window.h"

void HandlerTest::SetUp() {
    fake::ResetWindow();
    fake::ResetNet();
    fake::SetClock(1000000);
    ProfileList.clear();
    LastSelection = 0;
    FullPanelWidth = 616;
    WakeSocket = 7;
    StopFlag = 0;
    CurrentScan.reset();
    ScanRunning = false;

    std::string pattern = (std::filesystem::temp_directory_path() / "wol-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    ConfigFilePath = folder + "/wol.ini";
}

void HandlerTest::TearDown() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

Bytes HandlerTest::FileBytes() const {
    return ReadWholeFile(ConfigFilePath);
}

std::string HandlerTest::FileText() const {
    const Bytes bytes = FileBytes();
    return std::string(bytes.begin(), bytes.end());
}

void HandlerTest::PutFile(const std::string& text) const {
    ASSERT_TRUE(WriteWholeFile(ConfigFilePath, ToBytes(text)));
}
