#include "platform/corefoundation/darwin_notify_center.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/preferences/PSListController.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gtest/gtest.h>

namespace {

using foundation::Value;

constexpr const char* kDomainFile = "/var/mobile/Library/Preferences/net.example.panes.plist";

class PreferenceValueTest : public testing::Test {
protected:
    void SetUp() override {
        PSListController::registerRuntimeClass();
        pane = objc::make<PSListController>();
        pane->initForContentSize({320, 568});
        row = PSSpecifier::preferenceSpecifierNamed("Width", pane.get(), nullptr, nullptr, Nil,
                                                    PSSliderCell, Nil);
        row->setPropertyForKey("width", "key");
        row->setPropertyForKey(4.0, "default");
        row->setPropertyForKey("net.example.panes", "defaults");
        row->setPropertyForKey("net.example.panes.changed", "PostNotification");
    }

    std::optional<foundation::Dictionary> stored() const {
        return foundation::dictionaryWithContentsOfFile(foundation::devicePath(kDomainFile));
    }

    tintbox::testing::TemporaryDeviceRoot root;
    objc::Ref<PSListController> pane;
    objc::Ref<PSSpecifier> row;
};

TEST_F(PreferenceValueTest, AStoredValueIsWrittenToTheDomainFileReadBackAndAnnounced) {
    EXPECT_EQ(pane->readPreferenceValue(row.get()), Value(4.0)) << "no file: the default";

    tintbox::testing::writeFile(
        foundation::devicePath(kDomainFile),
        foundation::xmlPropertyList(Value(foundation::Dictionary{{"other", Value("kept")}})));
    auto& loop = dispatch::RunLoop::main();
    int announced = 0;
    auto observation = corefoundation::DarwinNotifyCenter::shared().observe(
        "net.example.panes.changed", [&](std::string_view) { ++announced; });

    pane->setPreferenceValueSpecifier(Value(12.5), row.get());
    EXPECT_TRUE(loop.runUntil([&] { return announced > 0; }, 10.0));
    EXPECT_EQ(stored(), (foundation::Dictionary{{"other", Value("kept")}, {"width", Value(12.5)}}));
    EXPECT_EQ(pane->readPreferenceValue(row.get()), Value(12.5));

    // A null value removes the key; the row shows its default again.
    pane->setPreferenceValueSpecifier(Value(), row.get());
    EXPECT_EQ(stored(), (foundation::Dictionary{{"other", Value("kept")}}));
    EXPECT_EQ(pane->readPreferenceValue(row.get()), Value(4.0));
}

TEST_F(PreferenceValueTest, AFileThatIsNoDictionaryIsKeptAsideBeforeTheWrite) {
    const std::string array = foundation::xmlPropertyList(Value(foundation::Array{Value(1)}));
    const auto file = foundation::devicePath(kDomainFile);
    tintbox::testing::writeFile(file, array);
    pane->setPreferenceValueSpecifier(Value(3.0), row.get());
    EXPECT_EQ(tintbox::testing::fileContents(file.string() + ".unreadable"), array);
    EXPECT_EQ(pane->readPreferenceValue(row.get()), Value(3.0));
}

TEST_F(PreferenceValueTest, RowsWithoutADomainOrKeyStoreNothing) {
    struct Case {
        const char* name;
        Value domain;
        Value key;
    };
    const Case cases[] = {
        {"no domain", Value(), Value("width")},
        {"no key", Value("net.example.panes"), Value()},
        {"a path for a domain", Value("../../../../../escape"), Value("width")},
        {"a domain that is no string", Value(3), Value("width")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        row->setPropertyForKey(c.domain, "defaults");
        row->setPropertyForKey(c.key, "key");
        pane->setPreferenceValueSpecifier(Value(9.0), row.get());
        EXPECT_EQ(pane->readPreferenceValue(row.get()), Value(4.0));
    }
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::recursive_directory_iterator(root.path()))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 0u);
}

} // namespace
