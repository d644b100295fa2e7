// Measures loading and saving wol.ini natively, on the in-memory window, and prints the figures as
// "name: value unit" lines for tools/bench.
//
//   profiles_bench [--quick]          load and save of 10 000 and 100 000 profiles, and their ratios
//   profiles_bench --write-file PATH MB   writes a wol.ini of about MB megabytes of typical profiles
//   profiles_bench --load-file PATH       loads it and prints the peak memory the load added
//
// The memory figure needs a process of its own, so that building the file does not count.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/files.h"
#include "core/state.h"
#include "profiles/profile_file.h"
#include "profiles/profiles.h"
#include "tests/fakes/fake_window.h"

namespace {

// Alternating LAN and WAN profiles of a typical size: 30 to 50 bytes a line.
std::vector<WakeProfile> TypicalProfiles(int count) {
    std::vector<WakeProfile> profiles;
    profiles.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        char mac[18];
        std::snprintf(mac, sizeof mac, "00-1D-60-%02X-%02X-%02X", (i >> 16) & 0xFF, (i >> 8) & 0xFF, i & 0xFF);
        if (i % 2 == 0) {
            profiles.push_back({"配置" + std::to_string(i + 1), "内网", mac, "", ""});
        } else {
            profiles.push_back(
                {"配置" + std::to_string(i + 1), "外网", mac, "203.0.113." + std::to_string(i % 250), "9"});
        }
    }
    return profiles;
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Timings {
    double load;
    double save;
};

// The median of several loads and saves of the same list, in a folder of its own.
Timings Measure(int count, int repetitions, const std::string& folder) {
    ConfigFilePath = folder + "/wol.ini";
    const std::vector<WakeProfile> profiles = TypicalProfiles(count);
    std::vector<double> loads;
    std::vector<double> saves;
    for (int r = 0; r < repetitions; ++r) {
        fake::ResetWindow();
        ProfileList = profiles;
        fake::State(Ctl::组合框_配置信息).selection = count / 2;
        auto start = std::chrono::steady_clock::now();
        SaveProfiles();
        saves.push_back(MillisecondsSince(start));

        fake::ResetWindow();
        ProfileList.clear();
        start = std::chrono::steady_clock::now();
        LoadProfiles();
        loads.push_back(MillisecondsSince(start));
        if (ListCount(ProfileList) != count) {
            std::fprintf(stderr, "profiles_bench: loaded %d profiles of %d\n", ListCount(ProfileList), count);
            std::exit(1);
        }
    }
    return {Median(loads), Median(saves)};
}

// Peak resident memory of this process so far, in kB (VmHWM).
long PeakMemoryKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return 0;
}

int TimeLoadAndSave(bool quick) {
    std::string pattern = (std::filesystem::temp_directory_path() / "wol-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("profiles_bench: mkdtemp");
        return 1;
    }
    const int repetitions = quick ? 3 : 7;
    const Timings small = Measure(10'000, repetitions, pattern);
    const Timings large = Measure(100'000, repetitions, pattern);
    std::filesystem::remove_all(pattern);

    std::printf("profiles_load_10000: %.1f ms\n", small.load);
    std::printf("profiles_save_10000: %.1f ms\n", small.save);
    std::printf("profiles_load_100000: %.1f ms\n", large.load);
    std::printf("profiles_save_100000: %.1f ms\n", large.save);
    std::printf("profiles_load_ratio_100k_10k: %.1f\n", large.load / small.load);
    std::printf("profiles_save_ratio_100k_10k: %.1f\n", large.save / small.save);
    return 0;
}

int WriteFile(const std::string& path, int megabytes) {
    // The typical profiles average 44.4 bytes a line.
    const int count = static_cast<int>(megabytes * 1e6 / 44.4);
    if (!WriteWholeFile(path, ToBytes(FormatProfileText(TypicalProfiles(count), 0)))) {
        std::fprintf(stderr, "profiles_bench: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

int LoadFile(const std::string& path) {
    const double fileMb = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    const long before = PeakMemoryKb();
    fake::ResetWindow();
    ConfigFilePath = path;
    const auto start = std::chrono::steady_clock::now();
    LoadProfiles();
    const double milliseconds = MillisecondsSince(start);
    const double addedMb = static_cast<double>(PeakMemoryKb() - before) / 1000.0;

    const int mb = static_cast<int>(fileMb + 0.5);
    std::printf("profiles_load_%dmb: %.0f ms (%d profiles)\n", mb, milliseconds, ListCount(ProfileList));
    std::printf("profiles_load_%dmb_peak_memory: %.0f MB\n", mb, addedMb);
    std::printf("profiles_load_%dmb_memory_per_file_byte: %.1f\n", mb, addedMb / fileMb);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write-file") == 0) {
        return WriteFile(argv[2], std::atoi(argv[3]));
    }
    if (argc == 3 && std::strcmp(argv[1], "--load-file") == 0) {
        return LoadFile(argv[2]);
    }
    return TimeLoadAndSave(argc == 2 && std::strcmp(argv[1], "--quick") == 0);
}
