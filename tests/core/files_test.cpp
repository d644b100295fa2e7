// Whole-file reading and writing, and the program's folder, on the real file system: natively and,
// in the Windows build, under Wine. Test files live beside the test program.
#include "core/files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {

std::string PathBesideProgram(const std::string& name) {
    return JoinText({RunDirectory(), kPathSeparator, name});
}

// Removes a test file when the test ends, however it ends.
struct ScratchFile {
    explicit ScratchFile(const std::string& name) : path(PathBesideProgram(name)) { Remove(); }
    ~ScratchFile() { Remove(); }
    void Remove() const {
        std::remove(path.c_str());
        std::remove((path + ".tmp").c_str());
    }
    std::string path;
};

TEST(Files, WriteThenReadGivesTheSameBytes) {
    ScratchFile file("files_test_roundtrip.bin");
    const Bytes content{'a', 0, 0xFF, '\r', '\n', 0xC4, 0xDA};
    ASSERT_TRUE(WriteWholeFile(file.path, content));
    EXPECT_EQ(ReadWholeFile(file.path), content);

    // Replacing keeps nothing of the longer old content, and leaves no temporary file behind.
    ASSERT_TRUE(WriteWholeFile(file.path, Bytes{'x'}));
    EXPECT_EQ(ReadWholeFile(file.path), Bytes{'x'});
    EXPECT_TRUE(ReadWholeFile(file.path + ".tmp").empty());

    ASSERT_TRUE(WriteWholeFile(file.path, Bytes{}));
    EXPECT_TRUE(ReadWholeFile(file.path).empty());
}

TEST(Files, MissingFilesAndEmptyPathsGiveNothing) {
    EXPECT_TRUE(ReadWholeFile("").empty());
    EXPECT_TRUE(ReadWholeFile(PathBesideProgram("files_test_does_not_exist")).empty());
    EXPECT_EQ(BytesToText(ReadWholeFile(PathBesideProgram("files_test_does_not_exist"))), "");
    EXPECT_FALSE(WriteWholeFile("", Bytes{'a'}));
}

TEST(Files, AFailedWriteLeavesNoTemporaryFile) {
    const std::string inMissingFolder =
        JoinText({RunDirectory(), kPathSeparator, "files_test_no_such_folder", kPathSeparator, "wol.ini"});
    EXPECT_FALSE(WriteWholeFile(inMissingFolder, Bytes{'a'}));
    EXPECT_TRUE(ReadWholeFile(inMissingFolder + ".tmp").empty());
}

// Read-only as each system knows it: no write permission on POSIX (even for root, who could
// replace the file), the read-only attribute on Windows (which Wine would let a rename replace).
TEST(Files, AReadOnlyFileIsNotReplaced) {
    ScratchFile file("files_test_read_only.bin");
    ASSERT_TRUE(WriteWholeFile(file.path, Bytes{'o', 'l', 'd'}));
    namespace fs = std::filesystem;
    const fs::path path(std::u8string(file.path.begin(), file.path.end()));
    // Writable again before the scratch file is removed, however the test ends.
    struct WritableAgain {
        const fs::path& path;
        ~WritableAgain() {
            std::error_code ignored;
            fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ignored);
        }
    } writableAgain{path};
    std::error_code error;
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::replace, error);
    ASSERT_FALSE(error) << error.message();

    EXPECT_FALSE(WriteWholeFile(file.path, Bytes{'n', 'e', 'w'}));
    EXPECT_EQ(ReadWholeFile(file.path), (Bytes{'o', 'l', 'd'}));
    EXPECT_TRUE(ReadWholeFile(file.path + ".tmp").empty());
}

TEST(Files, RunDirectoryIsTheFolderOfTheProgram) {
    const std::string folder = RunDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), kPathSeparator[0]);
    // The folder exists: a file written there can be read back.
    ScratchFile file("files_test_here.bin");
    ASSERT_TRUE(WriteWholeFile(file.path, Bytes{'1'}));
    EXPECT_EQ(ReadWholeFile(file.path), Bytes{'1'});
}

TEST(Files, FolderOfPathCutsAtTheLastSeparator) {
    struct Case {
        std::string path, folder;
    } cases[] = {
        {"C:\\wol.exe", "C:"},  // a program in a drive root: the drive letter and colon alone
        {"C:\\Tools\\WOL\\wol.exe", "C:\\Tools\\WOL"},
        {"\\\\server\\share\\wol.exe", "\\\\server\\share"},
        {"/opt/wol/wol", "/opt/wol"},
        {"wol.exe", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FolderOfPath(c.path), c.folder);
    }
}

}  // namespace
