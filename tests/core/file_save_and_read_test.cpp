#include "core/atomic_file_write.h"
#include "core/read_whole_file.h"

#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <cerrno>
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
