// The main of every test program: before any test runs it points XDG_CONFIG_HOME (and HOME) at a
// fresh temporary folder of this process, so that no test ever reads or writes the settings of the
// user who runs it, and no two test processes share one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/velunor-test-XXXXXX";
    std::string folder = pattern;
    if (!mkdtemp(folder.data())) return 2;
    std::filesystem::create_directories(folder + "/config");
    setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
    setenv("HOME", folder.c_str(), 1);
    setenv("VELUNOR_TEST_TMP", folder.c_str(), 1);
    setenv("VELUNOR_BIN_DIR", VELUNOR_BUILD_BIN_DIR, 0);
    setenv("VELUNOR_SOURCE_DIR", VELUNOR_BUILD_SOURCE_DIR, 0);

    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return result;
}
