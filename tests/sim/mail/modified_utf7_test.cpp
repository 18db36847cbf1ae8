// Folder names in IMAP's modified UTF-7: what mbsync and OfflineIMAP write decodes to the name a
// user reads, and anything that is not valid modified UTF-7 is refused so it is shown as it is.
#include "sim/mail/modified_utf7.hpp"

#include <gtest/gtest.h>

namespace {

using tintbox::sim::mail::decodeModifiedUtf7;

struct Utf7Case {
    const char* name;
    const char* encoded;
    std::optional<std::string> decoded;
};

class ModifiedUtf7 : public ::testing::TestWithParam<Utf7Case> {};

TEST_P(ModifiedUtf7, Decodes) {
    EXPECT_EQ(decodeModifiedUtf7(GetParam().encoded), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ModifiedUtf7,
    ::testing::Values(Utf7Case{"PlainAscii", "Lists/dev", "Lists/dev"},
                      Utf7Case{"LeadingShift", "&AMk-quipe", "Équipe"},
                      Utf7Case{"InnerShift", "Entw&APw-rfe", "Entwürfe"},
                      Utf7Case{"Ampersand", "Tom &- Jerry", "Tom & Jerry"},
                      Utf7Case{"TwoCharactersInOneShift", "&AMkA6Q-", "Éé"},
                      Utf7Case{"ThreeUnitsWithPadding", "&ZeVnLIqe-", "日本語"},
                      Utf7Case{"SurrogatePair", "&2D3eAQ-", "😁"},
                      Utf7Case{"CommaIsTheSixtyThirdDigit", "&,,8-", "\xef\xbf\xbf"},
                      Utf7Case{"UnclosedShift", "&AMk", std::nullopt},
                      Utf7Case{"LoneAmpersand", "R&D", std::nullopt},
                      Utf7Case{"StrayBits", "&AM-", std::nullopt},
                      Utf7Case{"NonZeroPadding", "&AMl-", std::nullopt},
                      Utf7Case{"ShiftedPrintableAscii", "&AGE-", std::nullopt},
                      Utf7Case{"LoneHighSurrogate", "&2D0-", std::nullopt},
                      Utf7Case{"LoneLowSurrogate", "&3gE-", std::nullopt},
                      Utf7Case{"NotTheBase64Alphabet", "&AM/-", std::nullopt},
                      Utf7Case{"RawUtf8", "\xc3\x89quipe", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
