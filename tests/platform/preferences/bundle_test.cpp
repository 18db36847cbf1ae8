#include "platform/preferences/NSBundle.hpp"
#include "platform/preferences/PSListController.hpp"
#include "tests/platform/preferences/test_bundle.hpp"

#include <gtest/gtest.h>

namespace {

using tintbox::testing::sharedTestBundle;
using tintbox::testing::TemporaryFolder;
using tintbox::testing::writeFile;

const char* const kInfoWithExecutable = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>CFBundleExecutable</key><string>Broken</string>
<key>NSPrincipalClass</key><string>TestRootPane</string>
</dict></plist>)";

TEST(BundleTest, LoadsItsExecutableAndFindsItsPrincipalClassAndResources) {
    NSBundle* bundle = NSBundle::bundleWithPath(sharedTestBundle());
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(NSBundle::bundleWithPath(sharedTestBundle()), bundle) << "one bundle per folder";
    EXPECT_EQ(bundle->bundleIdentifier(), "net.example.testpanes");
    ASSERT_TRUE(bundle->load()) << bundle->loadError();
    EXPECT_TRUE(bundle->load()) << "a second load is a no-op";

    Class root = bundle->principalClass();
    ASSERT_NE(root, Nil);
    EXPECT_STREQ(class_getName(root), "TestRootPane");
    // The classes that the executable registered belong to the bundle, the platform's do not.
    EXPECT_EQ(NSBundle::bundleForClass(root), bundle);
    EXPECT_EQ(NSBundle::bundleForClass(objc_getClass("TestBundleCell")), bundle);
    EXPECT_EQ(NSBundle::bundleForClass(objc::classOf<PSListController>()), NSBundle::mainBundle());

    const auto list = bundle->pathForResourceOfType("TestRoot", "plist");
    ASSERT_FALSE(list.empty());
    EXPECT_TRUE(std::filesystem::equivalent(list, sharedTestBundle() / "TestRoot.plist"));
    EXPECT_EQ(bundle->pathForResourceOfType("TestRoot", ".plist"), list);
    EXPECT_TRUE(bundle->pathForResourceOfType("Missing", "plist").empty());
    EXPECT_TRUE(bundle->pathForResourceOfType("../TestPanes.bundle/TestRoot", "plist").empty());
}

TEST(BundleTest, ABrokenBundleIsReportedInOneLineAndNothingIsLoaded) {
    struct Case {
        const char* name;
        const char* info;
        const char* executable; // null: no executable file
        const char* expected;   // part of the error
    };
    const Case cases[] = {
        {"NotCode", kInfoWithExecutable, "this is not a shared object", "cannot load Broken"},
        {"NoExecutable", kInfoWithExecutable, nullptr, "cannot load Broken"},
        {"NoExecutableKey", "<plist version=\"1.0\"><dict/></plist>", nullptr,
         "CFBundleExecutable"},
        {"NoInfo", nullptr, nullptr, "CFBundleExecutable"},
    };
    TemporaryFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = folder / (std::string(c.name) + ".bundle");
        std::filesystem::create_directories(path);
        if (c.info)
            writeFile(path / "Info.plist", c.info);
        if (c.executable)
            writeFile(path / "Broken", c.executable);
        NSBundle* bundle = NSBundle::bundleWithPath(path);
        ASSERT_NE(bundle, nullptr);
        EXPECT_FALSE(bundle->load());
        EXPECT_FALSE(bundle->isLoaded());
        EXPECT_EQ(bundle->principalClass(), Nil);
        const std::string error = bundle->loadError();
        EXPECT_NE(error.find(std::string(c.name) + ".bundle"), std::string::npos) << error;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

TEST(BundleTest, APathThatIsNoFolderHasNoBundle) {
    TemporaryFolder folder;
    writeFile(folder / "file", "x");
    EXPECT_EQ(NSBundle::bundleWithPath(folder / "file"), nullptr);
    EXPECT_EQ(NSBundle::bundleWithPath(folder / "missing"), nullptr);
}

} // namespace
