// Property-list bytes made to hurt the reader: each must be refused with a one-line reason (or
// read correctly), never stop the process, overflow the stack or take unbounded memory.
#include "platform/foundation/property_list.hpp"
#include "tests/platform/foundation/test_support.hpp"

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <plist/plist.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace foundation {
namespace {

using testing::TemporaryFolder;

std::string bigEndian(std::uint64_t value, int width) {
    std::string bytes;
    for (int shift = (width - 1) * 8; shift >= 0; shift -= 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}

// A binary document from its objects' bytes (object 0 is the root), with 4-byte offsets and
// references.
std::string binaryDocument(const std::vector<std::string>& objects, int referenceSize = 4) {
    std::string document = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const std::string& object : objects) {
        offsets.push_back(document.size());
        document += object;
    }
    const std::uint64_t table = document.size();
    for (const std::uint64_t offset : offsets)
        document += bigEndian(offset, 4);
    document.append(6, '\0');
    document += static_cast<char>(4);
    document += static_cast<char>(referenceSize);
    document += bigEndian(objects.size(), 8) + bigEndian(0, 8) + bigEndian(table, 8);
    return document;
}

std::string reference(std::uint64_t object) {
    return bigEndian(object, 4);
}

// A one-entry dictionary whose key is the given object and whose value is `true`.
std::string dictionaryWithKey(const std::string& key) {
    return binaryDocument({"\xD1" + reference(1) + reference(2), key, "\x09"});
}

std::string nestedArrays(int depth) {
    std::vector<std::string> objects;
    for (int level = 0; level < depth; ++level)
        objects.push_back("\xA1" + reference(static_cast<std::uint64_t>(level) + 1));
    objects.push_back("\xA0");
    return binaryDocument(objects);
}

std::string xmlNestedArrays(int depth) {
    std::string text = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    for (int level = 0; level < depth; ++level)
        text += "<array>";
    for (int level = 0; level < depth; ++level)
        text += "</array>";
    return text + "</plist>";
}

// Each level's array holds the next level twice: 2^levels values once expanded.
std::string sharedArrays(int levels) {
    std::vector<std::string> objects;
    for (int level = 0; level < levels; ++level) {
        const auto next = reference(static_cast<std::uint64_t>(level) + 1);
        objects.push_back("\xA2" + next + next);
    }
    objects.push_back(std::string("\x4F\x12", 2) + bigEndian(1 << 20, 4) +
                      std::string(1 << 20, 'x'));
    return binaryDocument(objects);
}

// A dictionary of 100,000 entries that all share one 1 KB key: 100 MB once each key is copied.
std::string sharedKeys() {
    constexpr std::uint64_t kEntries = 100'000;
    std::string dictionary = std::string("\xDF\x12", 2) + bigEndian(kEntries, 4);
    for (std::uint64_t i = 0; i < kEntries; ++i)
        dictionary += reference(1);
    for (std::uint64_t i = 0; i < kEntries; ++i)
        dictionary += reference(2);
    return binaryDocument(
        {dictionary, std::string("\x5F\x11\x04\x00", 4) + std::string(1024, 'k'), "\x09"});
}

TEST(HostilePropertyList, IsRefusedWithAOneLineReason) {
    const std::string utf16NulKey = std::string("\x62\x00\x61\x00\x00\x00\x62", 7);
    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"UTF-16 key holding U+0000", dictionaryWithKey(std::string("\x63", 1) + utf16NulKey),
         "NUL"},
        {"ASCII key holding NUL", dictionaryWithKey(std::string("\x53\x61\x00\x62", 4)), "NUL"},
        {"key that is not a string", dictionaryWithKey("\x10\x05"), "not a string"},
        {"binary nested 100,000 deep", nestedArrays(100'000), "nested too deeply"},
        {"XML nested 100,000 deep", xmlNestedArrays(100'000), "nested too deeply"},
        {"shared objects expanding to 2^30 values", sharedArrays(30), "too many"},
        {"one shared key copied 100,000 times", sharedKeys(), "too many bytes"},
        {"array that holds itself", binaryDocument({"\xA1" + reference(0)}), "nested too deeply"},
        {"reference past the last object", binaryDocument({"\xA1" + reference(7)}),
         "does not exist"},
        {"data longer than the document",
         binaryDocument({std::string("\x4F\x13", 2) + bigEndian(UINT64_MAX / 2, 8)}), "runs past"},
        {"offset table past the end",
         std::string("bplist00\x09", 9) + std::string(6, '\0') + "\x01\x01" + bigEndian(1, 8) +
             bigEndian(0, 8) + bigEndian(1u << 30, 8),
         "offset table"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        EXPECT_FALSE(parsePropertyList(c.bytes, &error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(HostilePropertyList, TheDepthLimitStillReadsWhatRealFilesNest) {
    std::string error;
    EXPECT_TRUE(parsePropertyList(nestedArrays(400), &error)) << error;
    EXPECT_TRUE(parsePropertyList(xmlNestedArrays(400), &error)) << error;
    // Comments and CDATA are skipped as the reader skips them, so they cannot hide depth.
    EXPECT_TRUE(parsePropertyList("<plist><array><!-- <array> <dict> --><string><![CDATA[<array>"
                                  "]]></string></array></plist>",
                                  &error))
        << error;
    std::string hidden = "<plist><!-- </array></array> --><![CDATA[</dict>]]>";
    for (int level = 0; level < 600; ++level)
        hidden += "<array>";
    EXPECT_FALSE(parsePropertyList(hidden));
}

TEST(HostilePropertyList, DatesBeyondThe32BitRangeAndUidsAreReadAndWrittenBack) {
    const Value original = Dictionary{
        {"far", Array{Date{3124137600.0}, Date{-6342969600.0}, Date{-31614692033.0}}},
        {"uid", Uid{7}},
        {"nested", Array{Uid{0}, Uid{UINT32_MAX + std::uint64_t{5}}}},
    };
    const std::string xml = xmlPropertyList(original);
    EXPECT_NE(xml.find("<date>2100-01-01T00:00:00Z</date>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<date>0999-03-04T05:06:07Z</date>"), std::string::npos) << xml;
    std::string error;
    const auto reread = parsePropertyList(xml, &error);
    ASSERT_TRUE(reread) << error;
    EXPECT_EQ(*reread, original);

    // The binary form carries them as well.
    plist_t tree = nullptr;
    plist_from_xml(xml.data(), static_cast<std::uint32_t>(xml.size()), &tree);
    ASSERT_TRUE(tree);
    char* binary = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(tree, &binary, &length);
    plist_free(tree);
    const auto fromBinary = parsePropertyList(std::string_view(binary, length), &error);
    std::free(binary);
    ASSERT_TRUE(fromBinary) << error;
    EXPECT_EQ(Value(*fromBinary->find("far")), *original.find("far"));
}

TEST(HostilePropertyList, AHugeFileIsRefusedUnreadWithItsSize) {
    TemporaryFolder folder;
    const auto path = folder / "sparse.plist";
    {
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t{2} << 30), 0);
        ::close(fd);
    }
    std::string error;
    EXPECT_FALSE(readPropertyListFile(path, &error));
    EXPECT_NE(error.find("2147483648 bytes"), std::string::npos) << error;
    EXPECT_NE(error.find(path.string()), std::string::npos) << error;
}

} // namespace
} // namespace foundation
