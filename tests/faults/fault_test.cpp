// Faults and hostile input: a crash while wol.ini is saved, a full disk, read-only folders and
// files, huge and ill-formed files, the window closed during a scan with 255 workers, no socket.
// Each case also prints one "[fault] case | expected | got" line for tools/hardening-figures.
//
// Runs as root in a mount namespace of its own (the CTest entry starts it under
// `unshare --mount`), so that it can mount small and read-only file systems without touching the
// machine's.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

#include "core/files.h"
#include "core/startup.h"
#include "core/state.h"
#include "profiles/profiles.h"
#include "tests/fakes/fake_net.h"
#include "tests/fakes/fake_window.h"
#include "tests/fakes/handler_fixture.h"

namespace {

using fake::State;
using namespace std::chrono_literals;

const std::string kOld = "旧=内网|11-11-11-11-11-11||\r\n上次选择=1\r\n";

void Report(const std::string& name, const std::string& expected, const std::string& got) {
    std::printf("[fault] %s | %s | %s\n", name.c_str(), expected.c_str(), got.c_str());
}

bool InOwnMountNamespace() {
    return geteuid() == 0 && std::getenv("WOL_FAULTS_MOUNTS") != nullptr;
}

class FaultTest : public HandlerTest {
protected:
    // A file system of `size` bytes mounted on a fresh folder, which becomes wol.ini's folder.
    void MountSmallDisk(const char* size) {
        const std::string dir = folder + "/disk";
        std::filesystem::create_directory(dir);
        const std::string options = std::string("size=") + size;
        ASSERT_EQ(mount("wol-test", dir.c_str(), "tmpfs", 0, options.c_str()), 0) << std::strerror(errno);
        mounted = dir;
        ConfigFilePath = dir + "/wol.ini";
    }
    void RemountReadOnly() {
        ASSERT_EQ(mount(nullptr, mounted.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0) << std::strerror(errno);
    }
    void TearDown() override {
        if (!mounted.empty()) {
            umount2(mounted.c_str(), MNT_DETACH);
        }
        HandlerTest::TearDown();
    }
    static std::string Shown() { return State(Ctl::MAC框).text; }

    std::string mounted;
};

// The profiles a load shows, in the combo box's words.
std::string ItemsText() {
    std::string all;
    for (const std::string& item : State(Ctl::组合框_配置信息).items) {
        all += item + ";";
    }
    return all;
}

TEST_F(FaultTest, ACrashWhileSavingLeavesTheOldOrTheNewFileWhole) {
    // A child saves two different contents over and over; it is killed at a different moment each
    // time. Whatever the moment (writing, flushing, renaming), wol.ini is one of the two, whole.
    std::string a = "A=内网|AA-AA-AA-AA-AA-AA||\r\n上次选择=1\r\n";
    std::string b;
    for (int i = 0; i < 40000; ++i) {
        b += "B" + std::to_string(i) + "=外网|BB-BB-BB-BB-BB-BB|host.example|9\r\n";
    }
    b += "上次选择=0\r\n";
    PutFile(a);
    int torn = 0;
    int strays = 0;
    for (int round = 0; round < 20; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                WriteWholeFile(ConfigFilePath, ToBytes(i % 2 == 0 ? b : a));
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(3000 + round * 1700));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = FileText();
        torn += now != a && now != b;
        strays += std::filesystem::exists(ConfigFilePath + ".tmp");

        // The program starts on whatever the crash left: a stray temporary file is no profile, and
        // the next save replaces it.
        LoadProfiles();
        EXPECT_EQ(ListCount(ProfileList), now == a ? 1 : 40000);
        SaveProfiles();
        EXPECT_FALSE(std::filesystem::exists(ConfigFilePath + ".tmp"));
        PutFile(a);
    }
    EXPECT_EQ(torn, 0);
    Report("killed while saving, 20 times", "wol.ini old or new, whole",
           std::to_string(torn) + " torn files, " + std::to_string(strays) + " stray temporary files ignored");
}

TEST_F(FaultTest, AFullDiskKeepsTheOldFileSilently) {
    if (!InOwnMountNamespace())
        GTEST_SKIP() << "needs root in a mount namespace of its own";
    MountSmallDisk("64k");
    PutFile(kOld);
    LoadProfiles();
    std::string mac(100000, 'F');  // a profile that does not fit
    State(Ctl::MAC框).text = mac;
    fake::TheWindow().nameAnswers.push_back({true, "大"});
    fake::Click(Ctl::按钮_添加);
    EXPECT_EQ(FileText(), kOld);
    EXPECT_FALSE(std::filesystem::exists(ConfigFilePath + ".tmp"));
    EXPECT_EQ(ItemsText(), "旧||11-11-11-11-11-11;");
    EXPECT_TRUE(fake::TheWindow().messages.empty());
    Report("disk full during a save", "silent, old file kept, no temporary file",
           FileText() == kOld && !std::filesystem::exists(ConfigFilePath + ".tmp") ? "as expected" : "CHANGED");
}

TEST_F(FaultTest, AReadOnlyFolderOrFileKeepsTheOldFileSilently) {
    if (!InOwnMountNamespace())
        GTEST_SKIP() << "needs root in a mount namespace of its own";
    struct Case {
        const char* name;
        bool readOnlyFolder;
    } cases[] = {{"read-only folder", true}, {"read-only file", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::ResetWindow();
        if (!mounted.empty()) {
            umount2(mounted.c_str(), MNT_DETACH);
            mounted.clear();
        }
        MountSmallDisk("1m");
        PutFile(kOld);
        if (c.readOnlyFolder) {
            RemountReadOnly();
        } else {
            chmod(ConfigFilePath.c_str(), 0444);
        }
        LoadProfiles();
        fake::TheWindow().nameAnswers.push_back({true, "新"});
        fake::Click(Ctl::按钮_添加);    // the add vanishes again at the reload
        fake::Click(Ctl::按钮_删除);    // so does the delete
        fake::Click(Ctl::单选框_外网);  // and the program goes on
        EXPECT_TRUE(State(Ctl::分组框_外网信息).visible);
        EXPECT_EQ(FileText(), kOld);
        EXPECT_EQ(ItemsText(), "旧||11-11-11-11-11-11;");
        EXPECT_TRUE(fake::TheWindow().messages.empty());
        Report(c.name, "silent, old file kept, program goes on",
               FileText() == kOld && fake::TheWindow().messages.empty() ? "as expected" : "CHANGED");
    }
}

// Loads wol.ini in a child process and gives the child's peak memory in bytes above a child that
// loads an empty file; the child's exit status says whether it got through.
struct LoadOutcome {
    bool survived;
    long peakBytes;
    int profiles;
};

LoadOutcome LoadInChild(const std::string& path) {
    const auto run = [](const std::string& file) -> std::pair<int, long> {
        const pid_t child = fork();
        if (child == 0) {
            ConfigFilePath = file;
            LoadProfiles();
            _exit(ListCount(ProfileList) % 256);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        return {status, usage.ru_maxrss * 1024L};
    };
    const auto baseline = run("");
    const auto loaded = run(path);
    return {WIFEXITED(loaded.first), loaded.second - baseline.second, WEXITSTATUS(loaded.first)};
}

TEST_F(FaultTest, HugeAndIllFormedFilesLoadWithinASmallMultipleOfTheirSize) {
    struct Case {
        const char* name;
        std::function<std::string()> make;
        int profilesModulo256;  // exit code of the child: the number of profiles modulo 256
    } cases[] = {
        {"100 MB in one line", [] { return "名=内网|" + std::string(100u << 20, 'M') + "|h|9"; }, 1},
        {"zero bytes inside",
         [] {
             std::string text = "甲=内网|11-11-11-11-11-11||\r\n";
             text += std::string(1, '\0') + "乙=内网|22-22-22-22-22-22||\r\n";
             return text + std::string(10u << 20, '\0');
         },
         1},
        // The lone lead byte is a line of its own: a profile with every field empty.
        {"a lead byte at the very end", [] { return "甲=内网|11-11-11-11-11-11|h|9\r\n\xB1"; }, 2},
        {"1 000 000 lines",
         [] {
             std::string text;
             for (int i = 0; i < 1000000; ++i) {
                 text += "配置=外网|00-1D-60-AB-CD-EF|192.168.1.62|9\r\n";
             }
             return text;
         },
         1000000 % 256},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = c.make();
        PutFile(text);
        const LoadOutcome outcome = LoadInChild(ConfigFilePath);
        EXPECT_TRUE(outcome.survived);
        EXPECT_EQ(outcome.profiles, c.profilesModulo256);
        // Records, combo items and the bytes read: a few times the file, never more.
        // Sanitizers multiply memory use by design; the bound holds for the real build.
        const long limit = 10L * static_cast<long>(text.size()) + (16L << 20);
        if (std::getenv("WOL_SANITIZED") == nullptr) {
            EXPECT_LT(outcome.peakBytes, limit);
        }
        char got[96];
        std::snprintf(got, sizeof got, "%s, peak %.1f MB for %.1f MB", outcome.survived ? "loaded" : "CRASHED",
                      static_cast<double>(outcome.peakBytes) / 1048576.0, static_cast<double>(text.size()) / 1048576.0);
        Report(c.name, "no crash, memory under 10x the file", got);
    }
}

// The scenario runs in a child process that ends right after it, as the program does: a worker
// that touched freed state would make the sanitizers fail the child, and no later test of this
// process can be mistaken for a worker's victim.
TEST_F(FaultTest, ClosingTheWindowDuringAScanOf255WorkersSavesAndLeavesTheWorkersAlone) {
    PutFile(kOld);
    LoadProfiles();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Every ARP request blocks until released, so all 255 workers are running at the close.
        static std::atomic<bool> release{false};
        static std::atomic<int> inside{0};
        fake::TheNet().arpHook = [](std::uint32_t, std::uint8_t(&mac)[6]) {
            ++inside;
            while (!release) {
                std::this_thread::sleep_for(1ms);
            }
            std::memset(mac, 0x22, 6);
            return true;
        };
        fake::TheWindow().onWait = [](int pass) {
            if (pass == 255) {
                while (inside < 255) {
                    std::this_thread::sleep_for(1ms);
                }
                fake::CloseWindow();
            }
        };
        State(Ctl::编辑框_扫描网段).text = "10.9.9.";
        State(Ctl::编辑框_扫描起始值).text = "1";
        State(Ctl::编辑框_扫描结束值).text = "255";
        State(Ctl::编辑框_扫描线程数).text = "255";
        fake::Click(Ctl::按钮4);

        // The loop has returned and the close has saved the profiles; the program frees its state
        // and ends while every worker is still inside its probe.
        const std::weak_ptr<ScanState> scan = CurrentScan;
        const bool loopEnded = !ScanRunning && inside == 255;
        ReleaseSharedState();
        release = true;
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!scan.expired() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        // 0: all well; 1: the loop did not end; 2: a worker never let go of its scan's state.
        _exit(!loopEnded ? 1 : !scan.expired() ? 2 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const bool clean = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    EXPECT_TRUE(clean) << "child status " << status;
    EXPECT_EQ(FileText(), kOld);  // saved by the close, with the selection it had
    Report("window closed during a scan with 255 workers", "loop ends, profiles saved, workers end cleanly",
           std::string(FileText() == kOld ? "saved" : "NOT SAVED") + ", " +
               (clean ? "workers ended cleanly" : "child status " + std::to_string(status)));
}

TEST_F(FaultTest, NoSocketAtStartUpShowsOneMessageAndSendingStaysSilent) {
    fake::TheNet().nextSocket = -1;
    OnMainWindowCreated();
    ConfigFilePath = folder + "/wol.ini";  // start-up pointed it beside the test program
    fake::Click(Ctl::按钮1);
    fake::Click(Ctl::单选框_外网);
    fake::Click(Ctl::按钮1);
    fake::Click(Ctl::按钮2);
    EXPECT_EQ(fake::TheWindow().messages, std::vector<std::string>{"创建 Socket 失败！"});
    EXPECT_TRUE(fake::TheNet().sent.empty());
    EXPECT_EQ(State(Ctl::主窗口).width, 622);  // the window still works
    Report("no socket at start-up", "one message, window works, sends silent",
           std::to_string(fake::TheWindow().messages.size()) + " message(s), " +
               std::to_string(fake::TheNet().sent.size()) + " datagram(s)");
}

}  // namespace
