#include "model/FileAccess.h"

#include "support/TestFiles.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

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

    // A device is never renamed over, even by root.
    EXPECT_EQ(WriteFileAtomically("/dev/full", "x").message, "Access to /dev/full was denied.");
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
