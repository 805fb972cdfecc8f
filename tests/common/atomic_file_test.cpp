// SPDX-License-Identifier: GPL-3.0-or-later
// The one writer at its seams: a full disk, a kill between write and rename, devices, pipes,
// descriptors and links. After each, the old file is whole or the new one is, and no temporary
// file outlives the next write.
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/atomic_file.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;

std::string Content(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Write(const fs::path& path, const std::string& text, std::string& why)
{
    return WriteFileAtomically(path.string(), AsBytes(text), why);
}

int LeftOverTemporaries(const fs::path& dir)
{
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir))
        count += entry.path().extension() == ".part";
    return count;
}

// Runs `body` in a child process and returns its exit status (-signal when killed).
template <typename Body> int InChild(Body body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

class AtomicFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("ratewise-writer-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

TEST_F(AtomicFile, ReplacesWholeKeepsModeAndFollowsLinksToTheirEnd)
{
    std::string why;
    const fs::path file = m_dir / "chapters.txt";
    ASSERT_TRUE(Write(file, "old", why)) << why;
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // Two links in a row: the file at their end gets the content, both links stay.
    fs::create_symlink("chapters.txt", m_dir / "first");
    fs::create_symlink(m_dir / "first", m_dir / "second");
    ASSERT_TRUE(Write(m_dir / "second", "new", why)) << why;
    EXPECT_TRUE(fs::is_symlink(m_dir / "second"));
    EXPECT_TRUE(fs::is_symlink(m_dir / "first"));
    EXPECT_EQ(Content(file), "new");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A dangling chain creates its last target; a loop is refused and creates nothing.
    fs::create_symlink("missing-link", m_dir / "dangling");
    fs::create_symlink("made.txt", m_dir / "missing-link");
    ASSERT_TRUE(Write(m_dir / "dangling", "made", why)) << why;
    EXPECT_EQ(Content(m_dir / "made.txt"), "made");
    EXPECT_TRUE(fs::is_symlink(m_dir / "dangling"));
    fs::create_symlink("loop-b", m_dir / "loop-a");
    fs::create_symlink("loop-a", m_dir / "loop-b");
    EXPECT_FALSE(Write(m_dir / "loop-a", "x", why));
    EXPECT_NE(why.find("loops"), std::string::npos) << why;
    EXPECT_TRUE(fs::is_symlink(m_dir / "loop-a"));

    EXPECT_FALSE(Write(m_dir, "x", why));
    EXPECT_FALSE(Write(m_dir / "no-folder" / "x", "x", why));
    EXPECT_EQ(LeftOverTemporaries(m_dir), 0);
}

TEST_F(AtomicFile, WritesThroughDevicesPipesAndDescriptorsWithoutReplacingThem)
{
    std::string why;
    ASSERT_TRUE(Write("/dev/null", "nothing", why)) << why;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    // A descriptor name writes into the open descriptor: the pipe gets the bytes.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_TRUE(Write("/dev/fd/" + std::to_string(ends[1]), "through", why)) << why;
    ::close(ends[1]);
    char got[16] = {};
    EXPECT_EQ(::read(ends[0], got, sizeof got), 7);
    EXPECT_STREQ(got, "through");
    ::close(ends[0]);

    // A FIFO someone reads gets the bytes and stays a FIFO; one no one reads is refused at once.
    const fs::path fifo = m_dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(Write(fifo, "x", why));
    EXPECT_EQ(why, "a named pipe that no one reads");
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_TRUE(Write(fifo, "piped", why)) << why;
    EXPECT_EQ(::read(reader, got, sizeof got), 5);
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(LeftOverTemporaries(m_dir), 0);
}

TEST_F(AtomicFile, AFullDiskLeavesTheOldFileWhole)
{
    const fs::path file = m_dir / "disk" / "plan.txt";
    const std::string big(1 << 20, 'n');
    // A tiny file system of its own in a private mount namespace where the test may make one (as
    // root), else a file-size limit: either way the new content cannot be written whole.
    const int status = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        fs::create_directories(file.parent_path());
        const bool ownDisk = ::unshare(CLONE_NEWNS) == 0 &&
                             ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                             ::mount("tmpfs", file.parent_path().c_str(), "tmpfs", 0, "size=256k") == 0;
        std::string why;
        if (!Write(file, "old", why))
            return 10;
        if (!ownDisk) {
            const rlimit limit{64 * 1024, 64 * 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (Write(file, big, why))
            return 11;
        if (why.find("cannot write") != 0)
            return 12;
        if (Content(file) != "old")
            return 13;
        return LeftOverTemporaries(file.parent_path()) == 0 ? 0 : 14;
    });
    EXPECT_EQ(status, 0);
}

void KillSelf()
{
    ::raise(SIGKILL);
}

TEST_F(AtomicFile, AKillBeforeTheRenameLeavesTheOldFileAndTheNextWriteCleansUp)
{
    std::string why;
    const fs::path file = m_dir / "medium01.chapters.xml";
    ASSERT_TRUE(Write(file, "old", why));
    const int status = InChild([&] {
        SetBeforeRenameHookForTesting(&KillSelf);
        std::string ignored;
        Write(file, "never seen", ignored);
        return 0;
    });
    EXPECT_EQ(status, -SIGKILL);
    EXPECT_EQ(Content(file), "old");
    EXPECT_EQ(LeftOverTemporaries(m_dir), 1);
    ASSERT_TRUE(Write(file, "new", why)) << why;
    EXPECT_EQ(Content(file), "new");
    EXPECT_EQ(LeftOverTemporaries(m_dir), 0);
}

TEST_F(AtomicFile, ASetIsReplacedOnlyWhenEveryFileOfItIsWritten)
{
    std::string why, failed;
    const fs::path first = m_dir / "medium01.txt", second = m_dir / "medium02.txt";
    ASSERT_TRUE(Write(first, "old 1", why));
    ASSERT_TRUE(Write(second, "old 2", why));
    const std::vector<FileToWrite> broken{{first.string(), AsBytes("new 1")},
                                          {(m_dir / "gone" / "medium02.txt").string(), AsBytes("new 2")}};
    EXPECT_FALSE(WriteFilesAtomically(broken, failed, why));
    EXPECT_EQ(failed, broken[1].path);
    EXPECT_EQ(Content(first), "old 1");
    EXPECT_EQ(LeftOverTemporaries(m_dir), 0);
    const std::vector<FileToWrite> whole{{first.string(), AsBytes("new 1")},
                                         {second.string(), AsBytes("new 2")}};
    ASSERT_TRUE(WriteFilesAtomically(whole, failed, why)) << why;
    EXPECT_EQ(Content(first) + Content(second), "new 1new 2");
}

} // namespace
} // namespace ratewise
