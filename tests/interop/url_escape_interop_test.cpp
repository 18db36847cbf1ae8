// Percent-escaped Message-IDs against Python's URL parser: every character of a message link
// survives urllib.parse, nothing becomes a fragment, and the escaped set is exactly the one
// that quote() gives with the characters a URL may hold left alone.
#include "platform/foundation/percent_escapes.hpp"
#include "tests/platform/foundation/test_support.hpp"
#include "tests/support/hex_text.hpp"
#include "tests/support/process.hpp"

#include <gtest/gtest.h>

namespace foundation {
namespace {

constexpr const char* kScript = R"PY(
import sys
from urllib.parse import quote, unquote_to_bytes, urlsplit

failures = 0
for line in open(sys.argv[1], encoding='ascii'):
    original_hex, escaped = line.rstrip('\n').split(' ', 1)
    original = bytes.fromhex(original_hex)
    url = 'message://' + escaped
    parts = urlsplit(url)
    reference = quote(original, safe="-_.~!*'();:@&=+$,/?")
    problems = []
    if parts.fragment:
        problems.append('fragment ' + repr(parts.fragment))
    if unquote_to_bytes(url[len('message://'):]) != original:
        problems.append('does not read back')
    if escaped != reference:
        problems.append('quote() gives ' + reference)
    if problems:
        failures += 1
        print(repr(original), url, '; '.join(problems))
sys.exit(1 if failures else 0)
)PY";

TEST(PercentEscapesInterop, MessageLinksReadBackThroughPythonsURLParser) {
    if (tintbox::testing::runProcess({"sh", "-c", "command -v python3"}).exitStatus != 0)
        GTEST_SKIP() << "python3 is not installed";
    tintbox::testing::TemporaryFolder folder;
    std::vector<std::string> ids{"<part1#2%x[y]@corp.example>", "<caf\xc3\xa9\xf0\x9f\x98\x80@x>",
                                 "<a b\t\"c\"@x>"};
    for (int c = 1; c < 128; ++c)
        ids.push_back("<id" + std::string(1, static_cast<char>(c)) + "1@host.example>");
    std::string lines;
    for (const std::string& id : ids)
        lines += tintbox::testing::hexText(id) + " " + stringByAddingPercentEscapes(id) + "\n";
    testing::writeFile(folder / "links.txt", lines);
    testing::writeFile(folder / "check.py", kScript);
    const auto result = tintbox::testing::runProcess(
        {"python3", (folder / "check.py").string(), (folder / "links.txt").string()});
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
}

} // namespace
} // namespace foundation
