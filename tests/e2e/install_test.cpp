// The installed program: `cmake --install` of this build into a temporary prefix, then moved
// elsewhere. It must run from the new place alone, finding its libraries, plug-ins and samples
// beside itself, and say where it looked when one of them is missing.
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <algorithm>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using namespace tintbox::testing;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

// The tree installed under one prefix and then moved to another; removed with the test.
class MovedInstall {
public:
    MovedInstall() {
        const auto installed = runProcess({TINTBOX_CMAKE, "--install", TINTBOX_BUILD_DIR,
                                           "--prefix", (m_folder / "first").string()});
        if (installed.exitStatus != 0)
            throw std::runtime_error("cmake --install failed: " + installed.err);
        fs::rename(m_folder / "first", m_folder / "moved");
    }

    fs::path prefix() const { return m_folder / "moved"; }
    fs::path program() const { return prefix() / TINTBOX_INSTALL_BINDIR / "tintbox"; }
    fs::path libraries() const { return prefix() / TINTBOX_INSTALL_LIBDIR / "tintbox"; }
    fs::path scratch(const std::string& name) const { return m_folder / name; }

    // Runs the installed command; on the device root `root` when one is given.
    ProcessResult run(std::vector<std::string> arguments, const fs::path& root = {}) const {
        arguments.insert(arguments.begin(), program().string());
        return runProcess(arguments, {{"NO_COLOR", "1"},
                                      {"TINTBOX_ROOT", root.empty() ? nullptr : root.c_str()},
                                      {"LSAN_OPTIONS", "print_suppressions=0"}});
    }

private:
    TemporaryFolder m_folder;
};

bool isElfFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    char magic[4]{};
    in.read(magic, sizeof magic);
    return in && magic[0] == '\x7f' && std::string_view(magic + 1, 3) == "ELF";
}

// The entries of one kind ("RUNPATH", "NEEDED", ...) of an ELF file's dynamic section.
std::vector<std::string> dynamicEntriesOf(const fs::path& file, const std::string& kind) {
    const auto dump = runProcess({"readelf", "-d", file.string()});
    std::vector<std::string> entries;
    std::istringstream lines(dump.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("(" + kind + ")") == std::string::npos)
            continue;
        const auto open = line.find('['), close = line.rfind(']');
        entries.push_back(line.substr(open + 1, close - open - 1));
    }
    return entries;
}

// The run paths an ELF file names (RUNPATH or RPATH).
std::vector<std::string> runPathsOf(const fs::path& file) {
    std::vector<std::string> paths;
    for (const std::string kind : {"RUNPATH", "RPATH"})
        for (const auto& entry : dynamicEntriesOf(file, kind)) {
            std::istringstream parts(entry);
            for (std::string path; std::getline(parts, path, ':');)
                paths.push_back(path);
        }
    return paths;
}

TEST(InstalledProgram, RunsTheDemoAfterTheTreeIsMoved) {
    const MovedInstall install;
    const auto result = install.run({"demo", "--out", install.scratch("out").string(), "--root",
                                     install.scratch("root").string()});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(fs::is_regular_file(install.scratch("out") / "settings-colour.png"));
    EXPECT_TRUE(fs::is_regular_file(install.scratch("root") /
                                    "Library/PreferenceBundles/Tintbox.bundle/Tintbox"));
    EXPECT_TRUE(fs::is_regular_file(install.scratch("root") /
                                    "Library/PreferenceBundles/Tintbox.bundle/Selector@2x.png"));
    // The mail extension, copied into the device root, still loads there and adds its bands.
    const auto list =
        install.run({"mail", "list", "--account", "Work", "--json"}, install.scratch("root"));
    ASSERT_EQ(list.exitStatus, 0) << list.err;
    EXPECT_THAT(list.out, HasSubstr("\"bands\":{\"account\":{\"colours\":[\"#"));

    std::vector<fs::path> elfFiles{install.program()};
    for (const auto& entry : fs::recursive_directory_iterator(install.libraries()))
        if (entry.is_regular_file() && isElfFile(entry.path()))
            elfFiles.push_back(entry.path());
    EXPECT_GE(elfFiles.size(), 4u);
    for (const auto& file : elfFiles)
        for (const auto& path : runPathsOf(file))
            EXPECT_TRUE(path.starts_with("$ORIGIN")) << file << " runs from " << path;
}

TEST(InstalledProgram, MissingPlugInFailsNamingWhereItLooked) {
    const MovedInstall install;
    const fs::path extension = install.libraries() / "Tintbox.dylib";
    fs::remove(extension);
    const fs::path root = install.scratch("root");

    const auto init = install.run({"init", "--root", root.string(), "--sample"});
    EXPECT_EQ(init.exitStatus, 1);
    EXPECT_THAT(init.err, HasSubstr("mail extension"));
    EXPECT_THAT(init.err, HasSubstr(extension.string()));
    EXPECT_EQ(std::count(init.err.begin(), init.err.end(), '\n'), 1) << init.err;
    // The device root is not touched when a plug-in is missing.
    EXPECT_FALSE(fs::exists(root));

    const auto demo = install.run({"demo", "--out", install.scratch("out").string()});
    EXPECT_EQ(demo.exitStatus, 1);
    EXPECT_THAT(demo.err, HasSubstr(extension.string()));
}

// The window host is a package of its own: without it the command links no desktop toolkit,
// and the commands that open windows say where they looked and what to install.
TEST(InstalledProgram, WindowCommandsWithoutTheDesktopHostNameItsPackage) {
    const MovedInstall install;
    for (const auto& library : dynamicEntriesOf(install.program(), "NEEDED"))
        EXPECT_THAT(library, ::testing::Not(HasSubstr("gtk"))) << "tintbox needs " << library;
    const fs::path host = install.libraries() / "libtintbox_desktop.so";
    fs::remove(host);
    const fs::path root = install.scratch("root");
    ASSERT_EQ(install.run({"init", "--sample"}, root).exitStatus, 0);

    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"mail", "app"}, {"settings", "app"}, {"app"}}) {
        const auto result = install.run(words, root);
        EXPECT_EQ(result.exitStatus, 1) << words[0] << ": " << result.err;
        EXPECT_THAT(result.err, HasSubstr(host.string()));
        EXPECT_THAT(result.err, HasSubstr("install the tintbox-desktop package"));
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    // Everything headless still works without it.
    const auto list = install.run({"mail", "list", "--account", "Work"}, root);
    EXPECT_EQ(list.exitStatus, 0) << list.err;
}

} // namespace
