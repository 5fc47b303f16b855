// Bad input to `reelwright conform ardour`: each is refused with a clear
// message and leaves the session folder exactly as it was.

#include "Folders.h"
#include "SessionBuilder.h"

#include "core/Files.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <iostream>
#include <optional>

#include <sys/mount.h>
#include <unistd.h>

namespace rw::test {
namespace {

namespace fs = std::filesystem;

// A folder that cannot be written: by its permissions, or for root (whom
// permissions do not stop) by a read-only bind mount of itself.
class ReadOnly {
public:
    explicit ReadOnly(const std::string& folder) : folder_(folder) {
        if (::geteuid() != 0) {
            fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
            ok_ = true;
        } else if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0) {
            mounted_ = true;
            ok_ = ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
        }
    }
    ~ReadOnly() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
        else fs::permissions(folder_, fs::perms::owner_write, fs::perm_options::add);
    }
    bool ok() const { return ok_; }

private:
    std::string folder_;
    bool mounted_ = false, ok_ = false;
};

struct RefusalCase {
    const char* name;
    std::vector<std::string> extra;  // more arguments
    const char* expected;            // in the message
    // Prepares the copy of the session folder; answers the --session path.
    std::string (*prepare)(const std::string& folder);
    bool readOnly = false;
};

std::string asBuilt(const std::string& folder) { return folder + "/ref.ardour"; }

std::string garbage(const std::string& folder) {
    writeFileAtomic(folder + "/junk.ardour", std::string("\x89PNG\r\n\x1a\n\0\0binary", 16));
    return folder + "/junk.ardour";
}

std::string newer(const std::string& folder) {
    std::string xml = readFileBytes(folder + "/ref.ardour").value;
    xml.replace(xml.find("version=\"7"), 14, "version=\"9000\"");
    writeFileAtomic(folder + "/later.ardour", xml);
    return folder + "/later.ardour";
}

std::string taken(const std::string& folder) {
    writeFileAtomic(folder + "/taken.ardour", readFileBytes(folder + "/ref.ardour").value);
    return folder + "/ref.ardour";
}

std::string theFolder(const std::string& folder) { return folder; }

const RefusalCase kCases[] = {
    {"not a session", {}, "is not an Ardour session", garbage},
    {"a newer Ardour", {}, "newer Ardour", newer},
    {"the snapshot read", {"--snapshot", "ref"}, "already exists", asBuilt},
    {"another snapshot", {"--snapshot", "taken"}, "already exists", taken},
    {"no snapshot name", {"--snapshot", "a/b"}, "cannot name a snapshot", asBuilt},
    {"another timebase", {"--timebase", "24"}, "counts timecode at 25", asBuilt},
    {"a folder", {}, "is a folder", theFolder},
    {"a read-only folder", {}, "is read-only", asBuilt, true},
};

class SoundRefusal : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (ardourMissing()) return;
        dir_ = new TempDir;
        const std::int64_t h = 90000;  // 01:00:00:00 at 25 fps
        SessionSpec spec{"ref", {48000, "25"}, "timecode_25", h, 1, false, {{1, h, 250}}, {}};
        std::string error;
        built_ = buildSession(spec, dir_->path(), error);
        edl_ = dir_->write("changes.edl", "TITLE: C\nFCM: NON-DROP FRAME\n\n"
                                          "001  R1       V     C        01:00:02:00 01:00:04:00 01:00:00:00 01:00:02:00\n");
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override {
        if (auto missing = ardourMissing()) GTEST_SKIP() << *missing;
        ASSERT_FALSE(built_.empty());
    }
    // A copy of the built session folder for one case.
    std::string copy(const std::string& name) {
        const std::string to = dir_->path() + "/" + name;
        fs::copy(fs::path(built_).parent_path(), to, fs::copy_options::recursive);
        return to;
    }
    CliResult conform(const std::string& session, const std::vector<std::string>& extra) {
        std::vector<std::string> args = {"conform", "ardour", "--changes", edl_, "--edl-type", "PAL video",
                                         "--session", session};
        args.insert(args.end(), extra.begin(), extra.end());
        return runCli(args);
    }

    static inline TempDir* dir_ = nullptr;
    static inline std::string built_, edl_;
};

TEST_F(SoundRefusal, BadInputIsRefusedAndTheFolderStaysAsItWas) {
    int n = 0;
    for (const auto& c : kCases) {
        const std::string folder = copy("case" + std::to_string(n++));
        const std::string session = c.prepare(folder);
        const FolderState before = folderState(folder);
        std::optional<ReadOnly> guard;
        if (c.readOnly && !guard.emplace(folder).ok()) {
            std::cerr << "this machine cannot make a folder read-only for this user: case skipped\n";
            continue;
        }
        const CliResult r = conform(session, c.extra);
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << c.name << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << c.name << ": " << r.out;
        EXPECT_EQ(changedEntries(before, folderState(folder)), std::vector<std::string>{}) << c.name;
    }
}

}  // namespace
}  // namespace rw::test
