#include "core/atomic_file_write.h"
#include "core/read_whole_file.h"
#include "core/temporary_file_names.h"

#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace lumetra::core {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

void putFile(const fs::path& path, std::string_view content)
{
    std::ofstream(path, std::ios::binary) << content;
}

std::string fileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::size_t entriesIn(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicFileWrite, ReplacesTheWholeOldFileAndLeavesNoTemporaryFile)
{
    test::ScratchDir dir;
    putFile(dir / "GraphData.rgt", "a much longer old content");
    const Bytes content {'n', 'e', 'w', 0x00, 0xFF};
    EXPECT_TRUE(writeFileAtomically(dir / "GraphData.rgt", content).ok());
    EXPECT_EQ(fileText(dir / "GraphData.rgt"), std::string("new\0\xFF", 5));
    EXPECT_EQ(entriesIn(dir.path()), 1u);

    EXPECT_TRUE(writeFileAtomically(dir / "empty.sym", {}).ok());
    EXPECT_TRUE(fs::exists(dir / "empty.sym"));
    EXPECT_EQ(fs::file_size(dir / "empty.sym"), 0u);
}

TEST(AtomicFileWrite, MissingFolderFailsWithoutCreatingAnything)
{
    test::ScratchDir dir;
    const FileWriteResult result = writeFileAtomically(dir / "absent" / "RecentSymFile.sym", Bytes {1, 2});
    EXPECT_EQ(result.error, FileWriteError::CreateFailed);
    EXPECT_TRUE(result.cause);
    EXPECT_EQ(entriesIn(dir.path()), 0u);
}

TEST(AtomicFileWrite, NewFileIsRefusedWhereAFileExists)
{
    test::ScratchDir dir;
    std::FILE* first = createNewFile(dir / "GraphData.rgt.tmp");
    ASSERT_NE(first, nullptr);
    ASSERT_GE(std::fputs("first", first), 0);
    std::fclose(first);

    errno = 0;
    std::FILE* second = createNewFile(dir / "GraphData.rgt.tmp");
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(errno, EEXIST);
    if (second)
        std::fclose(second);
    EXPECT_EQ(fileText(dir / "GraphData.rgt.tmp"), "first");
}

#ifndef _WIN32
TEST(AtomicFileWrite, FailedWriteKeepsTheOldFile)
{
    test::ScratchDir dir;
    putFile(dir / "RecentSymFile.sym", "old records");

    // Hold the process's file size limit below the new content, so writing fails half-way.
    rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileWriteResult result = writeFileAtomically(dir / "RecentSymFile.sym", Bytes(100000, 0x41));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result.error, FileWriteError::WriteFailed);
    EXPECT_EQ(fileText(dir / "RecentSymFile.sym"), "old records");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(AtomicFileWrite, KeepsPermissionsAndReplacesASymbolicLinkItself)
{
    test::ScratchDir dir;
    const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    putFile(dir / "GraphData.rgt", "old");
    fs::permissions(dir / "GraphData.rgt", kept);
    EXPECT_TRUE(writeFileAtomically(dir / "GraphData.rgt", Bytes {'n', 'e', 'w'}).ok());
    EXPECT_EQ(fs::status(dir / "GraphData.rgt").permissions(), kept);

    // A link at the name, as another user could plant in a shared folder: the link gives way to the new file,
    // the file it names keeps its content, and its permissions are not taken over.
    const fs::perms odd = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
    putFile(dir / "victim", "keep");
    fs::permissions(dir / "victim", odd);
    fs::create_symlink(dir / "victim", dir / "export.txt");
    EXPECT_TRUE(writeFileAtomically(dir / "export.txt", Bytes {'n', 'e', 'w'}).ok());
    EXPECT_FALSE(fs::is_symlink(dir / "export.txt"));
    EXPECT_EQ(fileText(dir / "export.txt"), "new");
    EXPECT_EQ(fileText(dir / "victim"), "keep");
    EXPECT_EQ(fs::status(dir / "victim").permissions(), odd);
    EXPECT_NE(fs::status(dir / "export.txt").permissions(), odd);
}

TEST(AtomicFileWrite, RefusesAnotherUsersLinkInASharedFolder)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a link to another user needs root";
    constexpr uid_t kOtherUser = 4242;
    test::ScratchDir dir;
    const fs::path shared = dir / "shared";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    putFile(dir / "victim", "keep");
    fs::create_symlink(dir / "victim", shared / "report.txt");
    ASSERT_EQ(::lchown((shared / "report.txt").c_str(), kOtherUser, kOtherUser), 0);

    const FileWriteResult refused = writeFileAtomically(shared / "report.txt", Bytes {'x'});
    EXPECT_EQ(refused.error, FileWriteError::OthersLink);
    EXPECT_NE(refused.cause.message().find("symbolic link"), std::string::npos) << refused.cause.message();
    EXPECT_TRUE(fs::is_symlink(shared / "report.txt"));
    EXPECT_EQ(fileText(dir / "victim"), "keep");
    EXPECT_EQ(entriesIn(shared), 1u);

    // The user's own link in that folder, and another user's link in a folder without the sticky bit, give way.
    fs::create_symlink(dir / "victim", shared / "own.txt");
    EXPECT_TRUE(writeFileAtomically(shared / "own.txt", Bytes {'x'}).ok());
    EXPECT_FALSE(fs::is_symlink(shared / "own.txt"));
    fs::permissions(shared, fs::perms::sticky_bit, fs::perm_options::remove);
    EXPECT_TRUE(writeFileAtomically(shared / "report.txt", Bytes {'x'}).ok());
    EXPECT_FALSE(fs::is_symlink(shared / "report.txt"));
    EXPECT_EQ(fileText(dir / "victim"), "keep");
}

TEST(AtomicFileWrite, RemovesOnlyTheStaleTemporaryFilesOfItsTarget)
{
    test::ScratchDir dir;
    const auto stale = fs::file_time_type::clock::now() - kLeftoverTemporaryAge - std::chrono::minutes(1);
    const auto put = [&](const std::string& name, bool old) {
        putFile(dir / name, "leftover");
        if (old)
            fs::last_write_time(dir / name, stale);
    };
    put("GraphData.rgt.~123456-7.tmp", true);
    put("GraphData.rgt.~0-12345678901.tmp", true);
    // A save that runs now, in this process or another, keeps its file.
    put("GraphData.rgt.~123456-8.tmp", false);
    // Names that only look alike, and the names of other targets.
    const std::vector<std::string> others {"GraphData.rgt.~12a-7.tmp", "GraphData.rgt.~-7.tmp",
        "GraphData.rgt.~1-.tmp", "GraphData.rgt.~1-2-3.tmp", "GraphData.rgt.~12.tmp", "GraphData.rgt.~1-2.tmp.bak",
        "GraphData.rgt.~1-2.TMP", "GraphData.rgt~1-2.tmp", "xGraphData.rgt.~1-2.tmp", "TimeGraphData.rtt.~1-2.tmp",
        "GraphData.rgt"};
    for (const std::string& name : others)
        put(name, true);
    // Entries of the right name that are no regular files of this user.
    fs::create_directory(dir / "GraphData.rgt.~5-5.tmp");
    fs::last_write_time(dir / "GraphData.rgt.~5-5.tmp", stale);
    fs::create_symlink(dir / "GraphData.rgt.~123456-7.tmp.keep", dir / "GraphData.rgt.~6-6.tmp");
    put("GraphData.rgt.~123456-7.tmp.keep", true);
    std::vector<std::string> kept = others;
    kept.insert(kept.end(), {"GraphData.rgt.~123456-8.tmp", "GraphData.rgt.~5-5.tmp", "GraphData.rgt.~6-6.tmp",
                                "GraphData.rgt.~123456-7.tmp.keep"});
    if (::geteuid() == 0) {
        put("GraphData.rgt.~7-7.tmp", true);
        ASSERT_EQ(::lchown((dir / "GraphData.rgt.~7-7.tmp").c_str(), 4242, 4242), 0);
        kept.push_back("GraphData.rgt.~7-7.tmp");
    }

    EXPECT_TRUE(isTemporaryNameOf(temporaryNameFor(dir / "GraphData.rgt"), dir / "GraphData.rgt"));
    EXPECT_TRUE(writeFileAtomically(dir / "GraphData.rgt", Bytes {'n', 'e', 'w'}).ok());
    std::vector<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(left, kept);
}
#endif

TEST(ReadWholeFile, DistinguishesMissingUnreadableAndTooLarge)
{
    test::ScratchDir dir;
    EXPECT_EQ(readWholeFile(dir / "absent.sym", 100).error, FileReadError::NotFound);
    EXPECT_EQ(readWholeFile(dir.path(), 100).error, FileReadError::OpenFailed);

    const std::string big(200000, 'z');
    putFile(dir / "big.rgt", big);
    EXPECT_EQ(readWholeFile(dir / "big.rgt", big.size() - 1).error, FileReadError::TooLarge);
    const FileReadResult exact = readWholeFile(dir / "big.rgt", big.size());
    ASSERT_TRUE(exact.ok());
    EXPECT_EQ(std::string(exact.bytes.begin(), exact.bytes.end()), big);

    putFile(dir / "empty.rgt", "");
    const FileReadResult empty = readWholeFile(dir / "empty.rgt", 0);
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.bytes.empty());
}

} // namespace
} // namespace lumetra::core
