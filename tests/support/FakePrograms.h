#pragma once
// A folder of fake desktop programs that is all of PATH, so that no real desktop program of the
// machine ever runs in a test: each records its arguments, one per line, and exits with the code
// the test asks for.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

class FakeProgramsTest : public testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::path(std::getenv("VELUNOR_TEST_TMP")) /
                testing::UnitTest::GetInstance()->current_test_info()->name();
        bin_ = root_ / "bin";
        std::filesystem::create_directories(bin_);
        const char* path = std::getenv("PATH");
        savedPath_ = path ? path : "";
        setPath(bin_.string());
    }
    void TearDown() override { setPath(savedPath_); }

    static void setPath(const std::string& path) { setenv("PATH", path.c_str(), 1); }

    // A program `name` that writes its arguments to <name>.args and exits with `exitCode`.
    void addFakeProgram(const std::string& name, int exitCode) {
        std::filesystem::path script = bin_ / name;
        std::ofstream(script) << "#!/bin/sh\n"
                              << "printf '%s\\n' \"$@\" > '" << recordOf(name).string() << ".part'\n"
                              << "/bin/mv '" << recordOf(name).string() << ".part' '" << recordOf(name).string() << "'\n"
                              << "exit " << exitCode << "\n";
        ::chmod(script.c_str(), 0755);
    }

    std::filesystem::path recordOf(const std::string& name) const { return root_ / (name + ".args"); }

    // The arguments the fake program was started with, once it has run (empty if it never did).
    std::vector<std::string> argumentsOf(const std::string& name, std::chrono::milliseconds wait) const {
        if (!waitFor([&] { return std::filesystem::exists(recordOf(name)); }, wait)) return {};
        std::ifstream in(recordOf(name));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    static bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
        auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    std::filesystem::path root_;
    std::filesystem::path bin_;

private:
    std::string savedPath_;
};
