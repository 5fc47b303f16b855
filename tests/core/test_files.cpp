#include "core/Files.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using rw::test::TempDir;

// Every failure says why, in the words the alerts and standard error show.
TEST(Files, FailuresNameTheReason) {
    TempDir dir;
    const std::string missing = dir.file("missing.edl");
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path, why;
    } unreadable[] = {
        {missing, "No such file or directory"},
        {dir.path(), "is a folder"},
        {fifo, "is not a regular file"},
    };
    for (const auto& c : unreadable) {
        EXPECT_EQ(rw::readFileBytes(c.path).error, c.why) << c.path;
        EXPECT_EQ(rw::readFileText(c.path).error, c.why) << c.path;
        EXPECT_EQ(rw::checkReadable(c.path).error, c.why) << c.path;
    }

    EXPECT_EQ(rw::writeFileAtomic(dir.file("no/such/list.edl"), "x").error,
              "cannot write in " + dir.file("no/such") + ": No such file or directory");
    EXPECT_EQ(rw::writeFileAtomic(dir.path(), "x").error, "cannot write " + dir.path() + ": Is a directory");
    const std::string file = dir.write("plain.txt", "x");
    EXPECT_EQ(rw::makeFolders(file + "/below").error, "cannot make the folder " + file + "/below: Not a directory");
}

TEST(Files, WrittenFilesReadBack) {
    TempDir dir;
    const std::string path = dir.file("a/b/list.edl");
    ASSERT_EQ(rw::makeFolders(dir.file("a/b")).error, "");
    ASSERT_EQ(rw::writeFileAtomic(path, std::string("one\0two", 7)).error, "");
    EXPECT_EQ(rw::readFileBytes(path).value, std::string("one\0two", 7));
    EXPECT_TRUE(rw::checkReadable(path));
    ASSERT_EQ(rw::writeFileAtomic(path, "caf\xe9").error, "");
    EXPECT_EQ(rw::readFileText(path).value, "caf\xc3\xa9");  // Latin-1 read as UTF-8
}

}  // namespace
