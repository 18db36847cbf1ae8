#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/objc/objc.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>

namespace {

namespace fs = std::filesystem;
using foundation::Array;
using foundation::Dictionary;
using foundation::Value;

// The host class that the test plug-in hooks.
class TweakTarget : public NSObject {
public:
    std::string greeting() const { return "hello"; }
};

// A fresh device root for the test, selected through TINTBOX_ROOT and removed afterwards.
class TemporaryDeviceRoot {
public:
    TemporaryDeviceRoot() {
        std::string pattern = (fs::temp_directory_path() / "objc-tweaks-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
        if (const char* previous = std::getenv("TINTBOX_ROOT"))
            m_previous = previous;
        setenv("TINTBOX_ROOT", m_path.c_str(), 1);
    }
    ~TemporaryDeviceRoot() {
        if (m_previous)
            setenv("TINTBOX_ROOT", m_previous->c_str(), 1);
        else
            unsetenv("TINTBOX_ROOT");
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    TemporaryDeviceRoot(const TemporaryDeviceRoot&) = delete;
    TemporaryDeviceRoot& operator=(const TemporaryDeviceRoot&) = delete;

private:
    fs::path m_path;
    std::optional<std::string> m_previous;
};

class TweakLoaderTest : public testing::Test {
protected:
    void SetUp() override {
        objc::ClassBuilder<TweakTarget>("TweakTarget").method<&TweakTarget::greeting>("greeting");
        fs::create_directories(m_folder);
    }

    void addTweak(const std::string& name, std::optional<Array> bundles) {
        fs::copy_file(OBJC_TEST_TWEAK_PATH, m_folder / (name + ".dylib"));
        if (bundles)
            writeFilter(name, Dictionary{{"Filter", Dictionary{{"Bundles", *bundles}}}});
    }

    void writeFilter(const std::string& name, Dictionary filter) {
        ASSERT_TRUE(foundation::writePropertyListAtomically(Value(std::move(filter)),
                                                            m_folder / (name + ".plist")));
    }

    void writeFile(const std::string& name, const std::string& bytes) {
        std::ofstream(m_folder / name) << bytes;
    }

    static std::string greeting() {
        auto target = objc::make<TweakTarget>();
        return objc::msgSend<std::string>(target, sel_registerName("greeting"));
    }

    TemporaryDeviceRoot m_root;
    fs::path m_folder = foundation::devicePath(objc::kTweakFolder);
};

TEST_F(TweakLoaderTest, OpensOnlyTheTweaksWhoseFilterNamesTheApp) {
    writeFile("A-Broken.dylib", "not a shared object");
    writeFilter("A-Broken",
                Dictionary{{"Filter", Dictionary{{"Bundles", Array{"com.example.mail"}}}}});
    writeFile("B-BadFilter.dylib", "never opened");
    writeFile("B-BadFilter.plist", "<plist><dict><key>Filter");
    addTweak("Mail", Array{"com.example.other", "com.example.mail"});
    addTweak("Settings", Array{"com.example.settings"});
    addTweak("Unfiltered", std::nullopt);
    addTweak("WrongShape", Array{});
    writeFilter("WrongShape", Dictionary{{"Filter", Dictionary{{"Bundles", "com.example.mail"}}}});

    testing::internal::CaptureStderr();
    EXPECT_TRUE(objc::loadTweaks("com.example.calendar").empty());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(greeting(), "hello") << "no tweak names this app";

    testing::internal::CaptureStderr();
    std::vector<std::string> loaded = objc::loadTweaks("com.example.mail");
    std::string reported = testing::internal::GetCapturedStderr();

    EXPECT_EQ(loaded, std::vector<std::string>{"Mail.dylib"});
    EXPECT_EQ(greeting(), "tweak+hello") << "hooked once: only Mail.dylib was opened";
    EXPECT_THAT(reported, testing::ContainsRegex("^Tweak A-Broken.dylib was not loaded: [^\n]*"
                                                 "A-Broken.dylib[^\n]*\n"));
    EXPECT_THAT(reported, testing::HasSubstr("Tweak B-BadFilter.dylib was not loaded: "));
    EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 2) << reported;
}

TEST_F(TweakLoaderTest, AMissingTweakFolderLoadsNothing) {
    fs::remove_all(m_folder);
    EXPECT_TRUE(objc::loadTweaks("com.example.mail").empty());
}

} // namespace
