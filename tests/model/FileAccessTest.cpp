#include "model/FileAccess.h"

#include "support/TestFiles.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cw
{
namespace
{

using test::FileSizeLimit;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(FileAccess, AFailedWriteLeavesThePreviousFileAndNoTemporary)
{
    TempDir dir;
    const std::string path = dir / "project.spk";
    WriteBytes(path, "the previous contents");
    {
        FileSizeLimit limit(4096);
        const FileResult result = WriteFileAtomically(path, std::string(100000, 'x'));
        EXPECT_EQ(result.message, "Disk full while accessing " + path + ".");
    }
    EXPECT_EQ(ReadBytes(path), "the previous contents");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"project.spk"});

    ASSERT_TRUE(WriteFileAtomically(path, "new").ok());
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"project.spk"});
}

TEST(FileAccess, OnlyRegularFilesAreReplaced)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "folder.spk");
    EXPECT_EQ(WriteFileAtomically(dir / "folder.spk", "x").message,
              "Access to " + dir / "folder.spk" + " was denied.");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.spk"));

    // A device is written in place, never renamed over, even by root.
    EXPECT_EQ(WriteFileAtomically("/dev/full", "x").message,
              "Disk full while accessing /dev/full.");
    struct stat st {
    };
    ASSERT_EQ(stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    WriteBytes(dir / "file", "");
    EXPECT_EQ(WriteFileAtomically(dir / "file/inner.spk", "x").message,
              dir / "file/inner.spk" + " contains an invalid path.");
    EXPECT_EQ(WriteFileAtomically(dir / "no/such/folder.spk", "x").message,
              dir / "no/such/folder.spk" + " contains an invalid path.");
    EXPECT_EQ(dir.Entries().size(), 2u);
}

TEST(FileAccess, ReplacingKeepsPermissionsAndLinks)
{
    TempDir dir;
    const std::string real = dir / "real.dvr";
    WriteBytes(real, "old");
    chmod(real.c_str(), 0640);
    std::filesystem::create_symlink(real, dir / "link.dvr");

    ASSERT_TRUE(WriteFileAtomically(dir / "link.dvr", "new").ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.dvr"));
    EXPECT_EQ(ReadBytes(real), "new");
    struct stat st {
    };
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(FileAccess, ReadOnlyFilesAreKept)
{
    TempDir dir;
    const std::string path = dir / "kept.spk";
    WriteBytes(path, "protected");
    chmod(path.c_str(), 0444);
    std::filesystem::create_symlink("kept.spk", dir / "link.spk");
    for (const std::string& name : {path, dir / "link.spk"})
        EXPECT_EQ(WriteFileAtomically(name, "new").message,
                  "Unable to write to " + name + ", it is read-only or opened by someone else.");
    EXPECT_EQ(ReadBytes(path), "protected");
    EXPECT_EQ(dir.Entries().size(), 2u);
}

TEST(FileAccess, ADanglingLinkGetsItsFile)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "sub");
    // A relative link counts from its own folder, also through a second link.
    std::filesystem::create_symlink("real.dvr", dir / "sub/link.dvr");
    std::filesystem::create_symlink("sub/link.dvr", dir / "outer.dvr");
    ASSERT_TRUE(WriteFileAtomically(dir / "outer.dvr", "new").ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "outer.dvr"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "sub/link.dvr"));
    EXPECT_EQ(ReadBytes(dir / "sub/real.dvr"), "new");

    std::filesystem::create_symlink(dir / "missing/real.dvr", dir / "nowhere.dvr");
    std::filesystem::create_symlink("loop.dvr", dir / "loop.dvr");
    for (const std::string& name : {dir / "nowhere.dvr", dir / "loop.dvr"}) {
        EXPECT_EQ(WriteFileAtomically(name, "x").message, name + " contains an invalid path.");
        EXPECT_TRUE(std::filesystem::is_symlink(name));
    }
    EXPECT_EQ(dir.Entries().size(), 4u); // sub and the three links
}

TEST(FileAccess, DevicesAndPipesAreWrittenInPlace)
{
    EXPECT_TRUE(WriteFileAtomically("/dev/null", "discarded").ok());

    TempDir dir;
    const std::string pipe = dir / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // Nobody reads: refused at once instead of waiting for a reader.
    EXPECT_EQ(WriteFileAtomically(pipe, "x").message,
              "No program is reading from the pipe " + pipe + ".");

    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(WriteFileAtomically(pipe, "through the pipe").ok());
    char buffer[64] = {};
    EXPECT_EQ(read(reader, buffer, sizeof buffer), 16);
    EXPECT_STREQ(buffer, "through the pipe");
    close(reader);
    struct stat st {
    };
    ASSERT_EQ(stat(pipe.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"pipe"});
}

TEST(FileAccess, ReadingTakesRegularFilesUpToTheLimit)
{
    TempDir dir;
    std::string bytes = "unchanged";
    EXPECT_EQ(ReadWholeFile("/dev/zero", bytes).message, "Access to /dev/zero was denied.");
    WriteBytes(dir / "file", std::string(100, 'b'));
    EXPECT_EQ(ReadWholeFile(dir / "file", bytes, 99, "%1 is too large.").message,
              dir / "file" + " is too large.");
    EXPECT_EQ(bytes, "unchanged");
    EXPECT_TRUE(ReadWholeFile(dir / "file", bytes, 100).ok());
    EXPECT_EQ(bytes, std::string(100, 'b'));
}

} // namespace
} // namespace cw
