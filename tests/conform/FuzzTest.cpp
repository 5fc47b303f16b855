// Mutated documents and files through every reader: nothing may crash, hang
// or read outside its input (run under the sanitizers).

#include "Support.h"

#include "conform/ChangeDocument.h"
#include "conform/Tc6000Conform.h"
#include "conform/TextConform.h"
#include "import/ConformDocument.h"

#include <gtest/gtest.h>

#include <random>

namespace rw {
namespace {

using test::ev;
const auto events = test::twoChanges;

std::string mutated(const std::string& seed, std::mt19937& rng) {
    std::string s = seed;
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int k = 0; k < edits && !s.empty(); ++k) {
        const std::size_t at = rng() % s.size();
        switch (rng() % 5) {
            case 0: s[at] = static_cast<char>(s[at] ^ (1 << (rng() % 8))); break;
            case 1: s[at] = static_cast<char>(rng()); break;
            case 2: s.resize(at); break;
            case 3: s.insert(at, 1 + rng() % 16, static_cast<char>(rng())); break;
            default: s.insert(at, s.substr(rng() % s.size(), 1 + rng() % 64)); break;
        }
    }
    return s;
}

std::string xmlArchive(const std::string& objects, int root = 1) {
    return "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>$archiver</key><string>NSKeyedArchiver</string>"
           "<key>$version</key><integer>100000</integer><key>$top</key><dict><key>root</key><dict><key>CF$UID</key>"
           "<integer>" + std::to_string(root) + "</integer></dict></dict><key>$objects</key><array><string>$null</string>" +
           objects + "</array></dict></plist>";
}

std::string uid(int n) { return "<dict><key>CF$UID</key><integer>" + std::to_string(n) + "</integer></dict>"; }

// A dictionary holding "version" = "1&2".
const std::string kXml = xmlArchive("<dict><key>NS.keys</key><array>" + uid(2) + "</array><key>NS.objects</key><array>" +
                                    uid(3) + "</array><key>$class</key>" + uid(4) +
                                    "</dict><string>version</string><string>1&amp;2</string><dict><key>$classname"
                                    "</key><string>NSDictionary</string></dict>");

TEST(Fuzz, XmlArchivesAndTextsHoldingANul) {
    auto clean = unarchiveObjectWithData(kXml);  // XML property lists are read too
    ASSERT_TRUE(clean) << clean.error;
    EXPECT_EQ(*clean.value.find("version")->string(), "1&2");
    // A raw NUL inside a text once aborted in libplist's copying accessor.
    std::string nul = kXml;
    nul.insert(nul.find("1&amp;2"), 1, '\0');
    auto root = unarchiveObjectWithData(nul);
    ASSERT_TRUE(root) << root.error;
    EXPECT_TRUE(root.value.find("version")->string());
}

TEST(Fuzz, HostileArchiveGraphs) {
    const std::string arrayClass =
        "<dict><key>$classname</key><string>NSArray</string><key>$classes</key><array/></dict>";
    // An array holding itself.
    std::string cycle = "<dict><key>NS.objects</key><array>" + uid(1) + "</array><key>$class</key>" + uid(2) +
                        "</dict>" + arrayClass;
    EXPECT_EQ(unarchiveObjectWithData(xmlArchive(cycle)).error, "objects nested deeper than 32");
    // Arrays each holding the next one twice: 2^n paths, within the depth
    // limit, if nothing bounds the walk.
    auto chain = [&](int n) {
        std::string objects;
        for (int i = 1; i <= n; ++i)
            objects += "<dict><key>NS.objects</key><array>" + uid(i + 1) + uid(i + 1) + "</array><key>$class</key>" +
                       uid(n + 2) + "</dict>";
        return xmlArchive(objects + "<string>leaf</string>" + arrayClass);
    };
    EXPECT_TRUE(unarchiveObjectWithData(chain(3)));
    EXPECT_EQ(unarchiveObjectWithData(chain(25)).error, "more than 500000 objects");
    // References past the end, objects of no kind, and classes it does not know.
    EXPECT_EQ(unarchiveObjectWithData(xmlArchive("", 7)).error, "a reference past the last object");
    EXPECT_EQ(unarchiveObjectWithData(xmlArchive("<integer>5</integer>")).error, "an object of no known kind");
    EXPECT_EQ(unarchiveObjectWithData(xmlArchive("<dict><key>$class</key>" + uid(2) +
                                                 "</dict><dict><key>$classname</key><string>NSData</string></dict>"))
                  .error,
              "an object of unknown class NSData");
    EXPECT_EQ(unarchiveObjectWithData("not a property list").error, "not a keyed archive");
}

TEST(Fuzz, EveryReaderTakesMutatedInput) {
    const std::string archive = archivedDataWithRootObject(changeDocumentRoot(events(), {"24", "", ""}));
    const std::string text = "cue\t01:00:05:00\t\"01:00:25:00\"\r\nnote,0100+00,x\n\n\"\"\xE2\x80\xA8tail\xff\xfe";
    const std::string evl = "ICONLISTV1\n01000000,1,R1,a\n01002000,2,R3,b\n0100250,1,R1,c\n";
    ConformDocumentOptions opt;
    opt.currentRate = "24";
    std::mt19937 rng(20240611);
    for (int i = 0; i < 4000; ++i) {
        EditArray out;
        // Mutate the archive itself (then scramble), and the scrambled file.
        readConformDocumentBytes(mungeData(mutated(archive, rng)), opt, out);
        readConformDocumentBytes(mutated(mungeData(archive), rng), opt, out);
        for (const auto& e : out) ASSERT_TRUE(e->sourceIn() && e->sourceOut() && e->masterIn() && e->masterOut());
        unarchiveObjectWithData(mutated(kXml, rng));
        conformTextFile(mutated(text, rng), events(), '\t', "24");
        conformTextFile(mutated(text, rng), events(), ',', "29.97df");
        conformTc6000File(mutated(evl, rng), events(), "25");
    }
    const std::string huge(1 << 20, ':');
    EXPECT_EQ(conformTextFile(huge, events(), '\t', "24"), huge + "\tNOCODE\n");
    EXPECT_EQ(conformTc6000File("ICONLISTV1\n" + std::string(1 << 20, ','), events(), "24"), "ICONLISTV1");
}

}  // namespace
}  // namespace rw
