// The profile store and the profile commands on the in-memory window, with wol.ini in a temporary
// folder: what each does to the list, the combo box, its selection, the three boxes and the file.
#include "profiles/profiles.h"

#include <filesystem>
#include <optional>

#include "core/files.h"
#include "core/startup.h"
#include "core/state.h"
#include "tests/fakes/fake_window.h"
#include "tests/fakes/handler_fixture.h"
#include "tests/profiles/profile_print.h"

namespace {

using fake::State;

constexpr Ctl kCombo = Ctl::组合框_配置信息;

// The worked example: two profiles, the second selected.
const std::string kExample =
    "配置1=内网|1A-2B-3C-4D-5E-6F||\r\n"
    "配置2=外网|00-1D-60-AB-CD-EF|203.0.113.10|9\r\n"
    "上次选择=2\r\n";

const std::string kHome = "家=内网|11-11-11-11-11-11||\r\n";
const std::string kOffice = "办公室=外网|22-22-22-22-22-22|203.0.113.10|9\r\n";
const std::string kHomeItem = "家||11-11-11-11-11-11";
const std::string kOfficeItem = "办公室|203.0.113.10|22-22-22-22-22-22";

class ProfilesTest : public HandlerTest {
protected:
    static std::vector<std::string> Items() { return State(kCombo).items; }
    static std::int32_t Selection() { return State(kCombo).selection; }
    static std::vector<std::string> Boxes() {
        return {State(Ctl::MAC框).text, State(Ctl::IP框).text, State(Ctl::端口框).text};
    }
    bool FileExists() const { return std::filesystem::exists(ConfigFilePath); }
};

TEST_F(ProfilesTest, LoadsTheWorkedExampleAndSavesItBack) {
    PutFile(kExample);
    LoadProfiles();
    EXPECT_EQ(ProfileList, (std::vector<WakeProfile>{{"配置1", "内网", "1A-2B-3C-4D-5E-6F", "", ""},
                                                     {"配置2", "外网", "00-1D-60-AB-CD-EF", "203.0.113.10", "9"}}));
    EXPECT_EQ(Items(), (std::vector<std::string>{"配置1||1A-2B-3C-4D-5E-6F", "配置2|203.0.113.10|00-1D-60-AB-CD-EF"}));
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"00-1D-60-AB-CD-EF", "203.0.113.10", "9"}));
    EXPECT_EQ(LastSelection, 2);

    SaveProfiles();
    EXPECT_EQ(FileText(), kExample);
    EXPECT_EQ(FileBytes().size(), 89u);
}

TEST_F(ProfilesTest, LoadRestoresTheSelectionAndShowsIt) {
    struct Case {
        const char* name;
        std::optional<std::string> file;  // none: no file at all
        std::int32_t lastSelectionBefore;
        std::vector<std::string> items;
        std::int32_t selection;
        std::vector<std::string> boxes;
        std::int32_t lastSelectionAfter;
    } cases[] = {
        // clang-format off
        {"no file", std::nullopt, 0, {}, -1, {"", "", ""}, 0},
        {"an empty file", "", 0, {}, -1, {"", "", ""}, 0},
        {"only a selection", "上次选择=1\r\n", 0, {}, -1, {"", "", ""}, 1},
        {"the first", kHome + kOffice + "上次选择=1\r\n", 0,
         {kHomeItem, kOfficeItem}, 0, {"11-11-11-11-11-11", "", ""}, 1},
        {"past the last selects the last", kHome + kOffice + "上次选择=5\r\n", 0,
         {kHomeItem, kOfficeItem}, 1, {"22-22-22-22-22-22", "203.0.113.10", "9"}, 5},
        {"zero", kHome + kOffice + "上次选择=0\r\n", 2,
         {kHomeItem, kOfficeItem}, -1, {"", "", ""}, 0},
        {"negative", kHome + kOffice + "上次选择=-3\r\n", 0,
         {kHomeItem, kOfficeItem}, -1, {"", "", ""}, -3},
        {"no number", kHome + kOffice + "上次选择=abc\r\n", 0,
         {kHomeItem, kOfficeItem}, -1, {"", "", ""}, 0},
        {"the word alone", kHome + kOffice + "上次选择\r\n", 0,
         {kHomeItem, kOfficeItem}, -1, {"", "", ""}, 0},
        {"no selection line at the first load", kHome + kOffice, 0,
         {kHomeItem, kOfficeItem}, -1, {"", "", ""}, 0},
        // LastSelection keeps what an earlier load read.
        {"no selection line later", kHome + kOffice, 2,
         {kHomeItem, kOfficeItem}, 1, {"22-22-22-22-22-22", "203.0.113.10", "9"}, 2},
        {"an empty line is an empty profile", kHome + "\r\n" + kOffice + "上次选择=2\r\n", 0,
         {kHomeItem, "||", kOfficeItem}, 1, {"", "", ""}, 2},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::ResetWindow();
        std::filesystem::remove(ConfigFilePath);
        if (c.file) {
            PutFile(*c.file);
        }
        LastSelection = c.lastSelectionBefore;
        LoadProfiles();
        EXPECT_EQ(Items(), c.items);
        EXPECT_EQ(ListCount(ProfileList), ListCount(c.items));
        EXPECT_EQ(Selection(), c.selection);
        EXPECT_EQ(Boxes(), c.boxes);
        EXPECT_EQ(LastSelection, c.lastSelectionAfter);
    }
}

TEST_F(ProfilesTest, LoadReplacesWhatAnEarlierLoadShowed) {
    PutFile(kHome + kOffice + "上次选择=2\r\n");
    LoadProfiles();
    PutFile(kOffice);
    LoadProfiles();
    EXPECT_EQ(Items(), std::vector<std::string>{kOfficeItem});
    EXPECT_EQ(ListCount(ProfileList), 1);
    // LastSelection is still 2 from the first file: the last profile is selected.
    EXPECT_EQ(Selection(), 0);
}

TEST_F(ProfilesTest, PickingShowsTheProfileAndLeavesTheModeAlone) {
    PutFile(kHome + kOffice + "上次选择=1\r\n");
    LoadProfiles();
    fake::Click(Ctl::单选框_内网);
    ASSERT_FALSE(State(Ctl::分组框_外网信息).visible);

    fake::PickItem(kCombo, 1);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"22-22-22-22-22-22", "203.0.113.10", "9"}));
    EXPECT_TRUE(State(Ctl::单选框_内网).checked);
    EXPECT_FALSE(State(Ctl::单选框_外网).checked);
    EXPECT_FALSE(State(Ctl::分组框_外网信息).visible);

    fake::PickItem(kCombo, 0);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"11-11-11-11-11-11", "", ""}));
}

TEST_F(ProfilesTest, ASelectionOutsideTheListShowsNothing) {
    PutFile(kHome + kOffice + "上次选择=1\r\n");
    LoadProfiles();
    // The window may hold more items than the list, as between a command's edit and its reload.
    for (const std::int32_t index : {2, 1000, -1, -5}) {
        SCOPED_TRACE(index);
        fake::PickItem(kCombo, 0);
        State(kCombo).items.resize(3);
        fake::PickItem(kCombo, index);
        EXPECT_EQ(Boxes(), (std::vector<std::string>{"", "", ""}));
    }
}

TEST_F(ProfilesTest, SaveWritesTheSelectedPositionAsItIs) {
    PutFile(kHome + kOffice + "上次选择=1\r\n");
    LoadProfiles();
    struct Case {
        std::int32_t index;
        const char* line;
    } cases[] = {{-1, "上次选择=0\r\n"}, {1, "上次选择=2\r\n"}, {4, "上次选择=5\r\n"}, {-9, "上次选择=0\r\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        State(kCombo).selection = c.index;
        SaveProfiles();
        EXPECT_EQ(FileText(), kHome + kOffice + c.line);
    }
}

// A command run from a given window, and what it leaves behind.
struct CommandCase {
    const char* name;
    std::string file;  // empty: no file
    std::int32_t picked;
    Ctl mode;
    std::vector<std::string> typed;  // MAC, host, port typed after the pick
    void (*command)();
    std::vector<fake::NameDialogAnswer> answers;
    std::vector<std::string> proposed;  // the initial text of each name dialog shown
    std::string fileAfter;              // empty: still no file
    std::vector<std::string> items;
    std::int32_t selection;
    std::vector<std::string> boxes;
};

const std::string kThree = "a=内网|1||\r\nb=外网|2|h|7\r\nc=内网|3||\r\n";

// Each row: before (file, pick, mode, typed boxes); the user's command and dialog answers; after
// (proposed names, file, combo items, selection, boxes).
// clang-format off
const CommandCase kCommandCases[] = {
    {"add to an empty list, in LAN mode with a host typed",
     "", -1, Ctl::单选框_内网, {"AA-BB-CC-DD-EE-FF", "192.168.1.62", "9"},
     AddProfile, {{true, "配置1"}},
     {"配置1"}, "配置1=内网|AA-BB-CC-DD-EE-FF||\r\n上次选择=0\r\n",
     {"配置1||AA-BB-CC-DD-EE-FF"}, 0, {"AA-BB-CC-DD-EE-FF", "", ""}},
    {"add proposes the count plus one, whatever the names",
     "配置3=内网|m||\r\n" + kOffice + "上次选择=2\r\n", 0, Ctl::单选框_外网, {"CC", "example.org", "7"},
     AddProfile, {{true, "配置3"}},
     {"配置3"}, "配置3=内网|m||\r\n" + kOffice + "配置3=外网|CC|example.org|7\r\n上次选择=1\r\n",
     {"配置3||m", kOfficeItem, "配置3|example.org|CC"}, 2, {"CC", "example.org", "7"}},
    {"add takes the name as typed",
     kHome + kOffice + "上次选择=0\r\n", -1, Ctl::单选框_外网, {"", "", ""},
     AddProfile, {{true, " 家 "}},
     {"配置3"}, kHome + kOffice + " 家 =外网|||\r\n上次选择=0\r\n",
     {kHomeItem, kOfficeItem, " 家 ||"}, 2, {"", "", ""}},
    {"add cancelled",
     kHome + kOffice + "上次选择=2\r\n", 0, Ctl::单选框_外网, {"x", "y", "z"},
     AddProfile, {{false, "ignored"}},
     {"配置3"}, kHome + kOffice + "上次选择=2\r\n",
     {kHomeItem, kOfficeItem}, 0, {"x", "y", "z"}},
    {"add with the field emptied",
     kHome + kOffice + "上次选择=2\r\n", 0, Ctl::单选框_外网, {"x", "y", "z"},
     AddProfile, {{true, ""}},
     {"配置3"}, kHome + kOffice + "上次选择=2\r\n",
     {kHomeItem, kOfficeItem}, 0, {"x", "y", "z"}},
    {"add cancelled on an empty list",
     "", -1, Ctl::单选框_内网, {"x", "y", "z"},
     AddProfile, {},
     {"配置1"}, "",
     {}, -1, {"x", "y", "z"}},

    {"change renames and reads all three boxes in LAN mode too",
     kHome + kOffice + "上次选择=1\r\n", 1, Ctl::单选框_内网, {"33", "10.0.0.1", "8"},
     ChangeProfile, {{true, "新办公室"}},
     {"办公室"}, kHome + "新办公室=内网|33|10.0.0.1|8\r\n上次选择=2\r\n",
     {kHomeItem, "新办公室|10.0.0.1|33"}, 1, {"33", "10.0.0.1", "8"}},
    {"change cancelled still takes the boxes and the mode",
     kHome + kOffice + "上次选择=2\r\n", 0, Ctl::单选框_外网, {"44", "h", "1"},
     ChangeProfile, {{false, "ignored"}},
     {"家"}, "家=外网|44|h|1\r\n" + kOffice + "上次选择=1\r\n",
     {"家|h|44", kOfficeItem}, 0, {"44", "h", "1"}},
    {"change with the field emptied",
     kHome + kOffice + "上次选择=2\r\n", 0, Ctl::单选框_外网, {"44", "h", "1"},
     ChangeProfile, {{true, ""}},
     {"家"}, kHome + kOffice + "上次选择=2\r\n",
     {kHomeItem, kOfficeItem}, 0, {"44", "h", "1"}},
    {"change of a nameless profile, cancelled",
     "=外网|m|h|9\r\n上次选择=2\r\n", 0, Ctl::单选框_外网, {"44", "h", "1"},
     ChangeProfile, {{false, ""}},
     {""}, "=外网|m|h|9\r\n上次选择=2\r\n",
     {"|h|m"}, 0, {"44", "h", "1"}},
    // Without a selection line in the file, any write would show: it adds one.
    {"change with nothing selected",
     kHome + kOffice, -1, Ctl::单选框_外网, {"44", "h", "1"},
     ChangeProfile, {{true, "x"}},
     {}, kHome + kOffice,
     {kHomeItem, kOfficeItem}, -1, {"44", "h", "1"}},
    {"change on an empty list",
     "", -1, Ctl::单选框_外网, {"44", "h", "1"},
     ChangeProfile, {{true, "x"}},
     {}, "",
     {}, -1, {"44", "h", "1"}},

    // The file keeps the deleted position as its selection.
    {"delete the middle one",
     kThree + "上次选择=2\r\n", 1, Ctl::单选框_外网, {"x", "y", "z"},
     DeleteProfile, {},
     {}, "a=内网|1||\r\nc=内网|3||\r\n上次选择=2\r\n",
     {"a||1", "c||3"}, -1, {"", "", ""}},
    {"delete the last one",
     kThree + "上次选择=3\r\n", 2, Ctl::单选框_外网, {"x", "y", "z"},
     DeleteProfile, {},
     {}, "a=内网|1||\r\nb=外网|2|h|7\r\n上次选择=3\r\n",
     {"a||1", "b|h|2"}, -1, {"", "", ""}},
    {"delete the only one",
     kHome + "上次选择=1\r\n", 0, Ctl::单选框_外网, {"x", "y", "z"},
     DeleteProfile, {},
     {}, "上次选择=1\r\n",
     {}, -1, {"", "", ""}},
    // Nothing is removed, but the file is written: here it gains its selection line.
    {"delete with nothing selected",
     kHome + kOffice, -1, Ctl::单选框_外网, {"x", "y", "z"},
     DeleteProfile, {},
     {}, kHome + kOffice + "上次选择=0\r\n",
     {kHomeItem, kOfficeItem}, -1, {"", "", ""}},
    {"delete on an empty list",
     "", -1, Ctl::单选框_外网, {"x", "y", "z"},
     DeleteProfile, {},
     {}, "上次选择=0\r\n",
     {}, -1, {"", "", ""}},
};
// clang-format on

TEST_F(ProfilesTest, CommandsChangeListComboBoxesAndFile) {
    for (const CommandCase& c : kCommandCases) {
        SCOPED_TRACE(c.name);
        fake::ResetWindow();
        std::filesystem::remove(ConfigFilePath);
        LastSelection = 0;
        if (!c.file.empty()) {
            PutFile(c.file);
        }
        LoadProfiles();
        if (c.picked >= 0) {
            fake::PickItem(kCombo, c.picked);
        }
        fake::Click(c.mode);
        SetText(Ctl::MAC框, c.typed[0]);
        SetText(Ctl::IP框, c.typed[1]);
        SetText(Ctl::端口框, c.typed[2]);
        fake::TheWindow().nameAnswers.assign(c.answers.begin(), c.answers.end());

        c.command();

        const char* prompt = c.command == AddProfile ? "请输入配置名称" : "请输入新的配置名称";
        const auto& dialogs = fake::TheWindow().nameDialogs;
        ASSERT_EQ(dialogs.size(), c.proposed.size());
        for (std::size_t i = 0; i < dialogs.size(); ++i) {
            EXPECT_EQ(dialogs[i].prompt, prompt);
            EXPECT_EQ(dialogs[i].caption, prompt);
            EXPECT_EQ(dialogs[i].initialText, c.proposed[i]);
        }
        if (c.fileAfter.empty()) {
            EXPECT_FALSE(FileExists());
        } else {
            EXPECT_EQ(FileText(), c.fileAfter);
        }
        EXPECT_FALSE(std::filesystem::exists(ConfigFilePath + ".tmp"));
        EXPECT_EQ(Items(), c.items);
        EXPECT_EQ(ListCount(ProfileList), ListCount(c.items));
        EXPECT_EQ(Selection(), c.selection);
        EXPECT_EQ(Boxes(), c.boxes);
        // The mode buttons belong to the user: no command changes them.
        EXPECT_EQ(State(c.mode).checked, true);
    }
}

TEST_F(ProfilesTest, AfterADeleteTheNextLoadSelectsWhatMovedUp) {
    struct Case {
        std::int32_t picked;
        std::int32_t selectionAfterReload;
    } cases[] = {{0, 0}, {1, 1}, {2, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picked);
        fake::ResetWindow();
        PutFile(kThree + "上次选择=0\r\n");
        LoadProfiles();
        fake::PickItem(kCombo, c.picked);
        DeleteProfile();
        ASSERT_EQ(Selection(), -1);
        LoadProfiles();
        EXPECT_EQ(Selection(), c.selectionAfterReload);
    }
}

// When wol.ini cannot be replaced, the reload brings back what it holds: the command's edit
// vanishes, the file is as it was and no temporary file is left beside it.
TEST_F(ProfilesTest, AFailedSaveKeepsTheOldFileAndShowsIt) {
    struct Case {
        const char* name;
        void (*command)();
        std::int32_t picked;
        std::vector<fake::NameDialogAnswer> answers;
        std::int32_t selection;
    } cases[] = {
        // The add selects the last item, which is now the last old profile.
        {"add", AddProfile, 0, {{true, "新"}}, 1},
        // The change relies on the reload for its selection, and the old file selects nothing.
        {"change", ChangeProfile, 0, {{true, "新"}}, -1},
        {"delete", DeleteProfile, 0, {}, -1},
    };
    const std::string old = kHome + kOffice + "上次选择=0\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::ResetWindow();
        std::filesystem::remove(ConfigFilePath);
        PutFile(old);
        std::filesystem::permissions(ConfigFilePath, std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read |
                                                         std::filesystem::perms::others_read);
        LoadProfiles();
        fake::PickItem(kCombo, c.picked);
        fake::Click(Ctl::单选框_外网);
        SetText(Ctl::MAC框, "99");
        fake::TheWindow().nameAnswers.assign(c.answers.begin(), c.answers.end());

        c.command();

        EXPECT_EQ(FileText(), old);
        EXPECT_FALSE(std::filesystem::exists(ConfigFilePath + ".tmp"));
        EXPECT_EQ(Items(), (std::vector<std::string>{kHomeItem, kOfficeItem}));
        EXPECT_EQ(ListCount(ProfileList), 2);
        EXPECT_EQ(Selection(), c.selection);
    }
}

// Start-up loads wol.ini from beside the program, and closing the window saves the selection there.
TEST_F(ProfilesTest, StartUpLoadsAndClosingSaves) {
    const std::string besideProgram = JoinText({RunDirectory(), kPathSeparator, "wol.ini"});
    // Whatever a file was there before comes back when the test ends.
    struct Restore {
        std::string path;
        bool existed;
        Bytes bytes;
        ~Restore() {
            if (existed) {
                WriteWholeFile(path, bytes);
            } else {
                std::filesystem::remove(path);
            }
        }
    } restore{besideProgram, std::filesystem::exists(besideProgram), ReadWholeFile(besideProgram)};

    ASSERT_TRUE(WriteWholeFile(besideProgram, ToBytes(kExample)));
    OnMainWindowCreated();
    EXPECT_EQ(ConfigFilePath, besideProgram);
    EXPECT_EQ(ListCount(Items()), 2);
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"00-1D-60-AB-CD-EF", "203.0.113.10", "9"}));

    fake::PickItem(kCombo, 0);
    fake::CloseWindow();
    const Bytes saved = ReadWholeFile(besideProgram);
    EXPECT_EQ(std::string(saved.begin(), saved.end()),
              "配置1=内网|1A-2B-3C-4D-5E-6F||\r\n配置2=外网|00-1D-60-AB-CD-EF|203.0.113.10|9\r\n上次选择=1\r\n");
}

}  // namespace
