// Property lists against an outside implementation: Python's plistlib writes files that we
// read and reads files that we write; and a reader never sees a half-replaced file.
#include "platform/foundation/property_list.hpp"
#include "tests/platform/foundation/test_support.hpp"
#include "tests/support/process.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <sys/wait.h>
#include <unistd.h>

namespace foundation {
namespace {

using testing::TemporaryFolder;

// The same document as EXPECTED in the script below.
Value expectedDocument() {
    Data allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes.bytes.push_back(static_cast<std::uint8_t>(b));
    return Dictionary{
        {"nested",
         Dictionary{{"integers", Array{0, 1, -5, std::int64_t{1} << 40, -(std::int64_t{1} << 40),
                                       std::numeric_limits<std::int64_t>::max(),
                                       std::numeric_limits<std::int64_t>::min()}},
                    {"deep", Dictionary{{"flags", Array{true, false}}}},
                    {"empty", Dictionary{}},
                    {"none", Array{}}}},
        {"reals", Array{3.25, -0.5, 0.1, 1e300}},
        {"text", "Gr\xc3\xbc\xc3\x9f"
                 "e \xf0\x9f\x98\x80 \xe4\xb8\xad\xe6\x96\x87 <&>"},
        {"empty", ""},
        {"lines", "one\r\ntwo\rthree\n\tfour"},
        {"data", allBytes},
        // 2015-06-01T12:30:45Z, 1990-01-01T00:00:00Z, and beyond 32-bit seconds: 2100-01-01,
        // 1800-01-01 and 0999-03-04T05:06:07Z
        {"dates", Array{Date{454854645.0}, Date{-347155200.0}, Date{3124137600.0},
                        Date{-6342969600.0}, Date{-31614692033.0}}},
    };
}

constexpr const char* kScript = R"PY(
import datetime, plistlib, sys

EXPECTED = {
    'nested': {
        'integers': [0, 1, -5, 2**40, -2**40, 2**63 - 1, -2**63],
        'deep': {'flags': [True, False]},
        'empty': {},
        'none': [],
    },
    'reals': [3.25, -0.5, 0.1, 1e300],
    'text': 'Gr\u00fc\u00dfe \U0001F600 \u4e2d\u6587 <&>',
    'empty': '',
    'lines': 'one\r\ntwo\rthree\n\tfour',
    'data': bytes(range(256)),
    'dates': [datetime.datetime(2015, 6, 1, 12, 30, 45), datetime.datetime(1990, 1, 1),
              datetime.datetime(2100, 1, 1), datetime.datetime(1800, 1, 1),
              datetime.datetime(999, 3, 4, 5, 6, 7)],
}

def difference(a, b, path='root'):
    # Strict: True is not 1, 1 is not 1.0.
    if type(a) is not type(b):
        return f'{path}: {type(a).__name__} {a!r} != {type(b).__name__} {b!r}'
    if isinstance(a, dict):
        if sorted(a) != sorted(b):
            return f'{path}: keys {sorted(a)} != {sorted(b)}'
        return next(filter(None, (difference(a[k], b[k], f'{path}/{k}') for k in a)), None)
    if isinstance(a, list):
        if len(a) != len(b):
            return f'{path}: {len(a)} items != {len(b)}'
        return next(filter(None, (difference(x, y, f'{path}[{i}]')
                                  for i, (x, y) in enumerate(zip(a, b)))), None)
    return None if a == b else f'{path}: {a!r} != {b!r}'

if sys.argv[1] == 'write':
    # plistlib's XML writer turns carriage returns into line feeds: leave them out here.
    document = dict(EXPECTED, huge=2**64 - 1)
    del document['lines']
    with open(sys.argv[2], 'wb') as f:
        plistlib.dump(document, f, fmt=plistlib.FMT_XML)
    with open(sys.argv[3], 'wb') as f:
        plistlib.dump(document, f, fmt=plistlib.FMT_BINARY)
elif sys.argv[1] == 'check':
    with open(sys.argv[2], 'rb') as f:
        found = plistlib.load(f)
    problem = difference(EXPECTED, found)
    print(problem or 'same')
    sys.exit(1 if problem else 0)
)PY";

class PlistlibInterop : public ::testing::Test {
protected:
    void SetUp() override {
        if (tintbox::testing::runProcess({"sh", "-c", "command -v python3"}).exitStatus != 0)
            GTEST_SKIP() << "python3 is not installed";
        testing::writeFile(script, kScript);
    }

    tintbox::testing::ProcessResult python(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"python3", script.string()});
        return tintbox::testing::runProcess(arguments);
    }

    TemporaryFolder folder;
    std::filesystem::path script{folder / "plist_interop.py"};
};

TEST_F(PlistlibInterop, WeReadWhatPlistlibWrites) {
    const auto xml = folder / "python.xml.plist";
    const auto binary = folder / "python.binary.plist";
    const auto written = python({"write", xml, binary});
    ASSERT_EQ(written.exitStatus, 0) << written.err;

    Value expected = expectedDocument();
    // Above INT64_MAX only a real keeps the magnitude.
    expected.asDictionary()->emplace("huge", 18446744073709551615.0);
    expected.asDictionary()->erase("lines");
    for (const auto& path : {xml, binary}) {
        SCOPED_TRACE(path.filename().string());
        std::string error;
        const auto dictionary = dictionaryWithContentsOfFile(path, &error);
        ASSERT_TRUE(dictionary) << error;
        EXPECT_EQ(Value(*dictionary), expected);
    }
}

TEST_F(PlistlibInterop, PlistlibReadsWhatWeWrite) {
    const auto path = folder / "ours.plist";
    std::string error;
    ASSERT_TRUE(writePropertyListAtomically(expectedDocument(), path, &error)) << error;
    const auto checked = python({"check", path});
    EXPECT_EQ(checked.exitStatus, 0) << checked.err;
    EXPECT_EQ(checked.out, "same\n");
}

// A document large enough that writing it takes many system calls; each version differs in
// every entry, so a mixture of two versions matches none.
Value largeVersion(int version) {
    Array entries;
    for (int i = 0; i < 3000; ++i)
        entries.emplace_back("version " + std::to_string(version) + " entry " + std::to_string(i) +
                             " with some padding to make the file larger");
    return Dictionary{{"version", version}, {"entries", std::move(entries)}};
}

TEST(AtomicReplace, ReaderNeverSeesATornFile) {
    TemporaryFolder folder;
    const auto path = folder / "shared.plist";
    const std::array<Value, 3> versions{largeVersion(0), largeVersion(1), largeVersion(2)};
    ASSERT_TRUE(writePropertyListAtomically(versions[0], path));

    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        for (int i = 1; i <= 300; ++i) {
            if (!writePropertyListAtomically(versions[static_cast<std::size_t>(i % 3)], path))
                ::_exit(1);
        }
        ::_exit(0);
    }

    int reads = 0;
    int failures = 0;
    std::string firstFailure;
    int status = 0;
    pid_t finished = 0;
    while (finished == 0 && reads < 100000) {
        finished = ::waitpid(writer, &status, WNOHANG);
        std::string error;
        const auto read = readPropertyListFile(path, &error);
        ++reads;
        const bool known =
            read && std::find(versions.begin(), versions.end(), *read) != versions.end();
        if (!known && failures++ == 0)
            firstFailure = read ? "a document that was never written" : error;
    }
    if (finished == 0)
        finished = ::waitpid(writer, &status, 0);
    ASSERT_EQ(finished, writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the writer failed";
    EXPECT_GT(reads, 0);
    EXPECT_EQ(failures, 0) << "of " << reads << " reads; first: " << firstFailure;
    EXPECT_EQ(folder.entryCount(), 1u) << "a temporary file was left behind";
}

} // namespace
} // namespace foundation
