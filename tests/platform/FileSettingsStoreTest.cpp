#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/linux/FileSettingsStore.h"
#include "platform/linux/ProcessSettingsStore.h"

namespace velunor {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class FileSettingsStoreTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::path(std::getenv("VELUNOR_TEST_TMP")) / "store" /
                  testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder_);
        store_ = std::make_unique<FileSettingsStore>(folder_ / "Vantorell" / "QVXVELUNOR300.reg");
    }

    float readFloat(const char* name, float fallback) {
        float v = fallback;
        if (auto key = store_->openForReading()) key->readValue(name, &v, sizeof v);
        return v;
    }

    bool writeFloat(const char* name, float v) {
        auto key = store_->createForWriting();
        return key && key->setBinary(name, &v, sizeof v) && key->close();
    }

    fs::path folder_;
    std::unique_ptr<FileSettingsStore> store_;
};

TEST_F(FileSettingsStoreTest, MissingFileReadsAsNoKeyAndWritingCreatesIt) {
    EXPECT_EQ(store_->openForReading(), nullptr);
    ASSERT_TRUE(writeFloat("Avureference", 0.25f));
    EXPECT_EQ(slurp(store_->file()),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorell\\QVXVELUNOR300]\n"
              "\"Avureference\"=hex:00,00,80,3e\n");
    EXPECT_EQ(readFloat("Avureference", 1.0f), 0.25f);
    EXPECT_TRUE(fs::exists(store_->lockFile()));
}

TEST_F(FileSettingsStoreTest, ReadsIntoSizedBuffersAlwaysTerminated) {
    {
        auto key = store_->createForWriting();
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->setString("ManualPath", "/home/u/manual.pdf"));
        ASSERT_TRUE(key->setBinary("Blob", "\x01\x02\x03", 3));
        ASSERT_TRUE(key->close());
        EXPECT_FALSE(key->setString("Late", "after close"));
    }
    auto key = store_->openForReading();
    ASSERT_TRUE(key);
    char small[5];
    std::memset(small, 'x', sizeof small);
    SettingsValueType type = SettingsValueType::None;
    EXPECT_EQ(key->readValue("ManualPath", small, sizeof small, &type), 19u);
    EXPECT_EQ(type, SettingsValueType::String);
    EXPECT_STREQ(small, "/hom");
    char big[64];
    EXPECT_EQ(key->readValue("manualpath", big, sizeof big), 19u);
    EXPECT_STREQ(big, "/home/u/manual.pdf");
    EXPECT_EQ(key->readValue("ManualPath", nullptr, 0), 19u);

    unsigned char bytes[8] = {};
    EXPECT_EQ(key->readValue("Blob", bytes, 2, &type), 3u);
    EXPECT_EQ(type, SettingsValueType::Binary);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_EQ(bytes[2], 0);  // not written past the size given
    EXPECT_EQ(key->readValue("Missing", bytes, sizeof bytes, &type), 0u);
    EXPECT_EQ(type, SettingsValueType::None);
    EXPECT_FALSE(key->setBinary("ReadOnly", "x", 1));
}

TEST_F(FileSettingsStoreTest, CorruptFileKeepsWhatCanBeParsed) {
    fs::create_directories(store_->file().parent_path());
    {
        std::ofstream out(store_->file(), std::ios::binary);
        out << "REGEDIT4\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorell\\QVXVELUNOR300]\n"
            << "\"Appmreference\"=hex:00,00,00\xff\x01garbage\n"
            << std::string("\0\0\x80\x3e\n", 5) << "\"Avureference\"=hex:00,00,80,3e\n"
            << "\"CurrDir\"=\"unknown to the meters\"\n"
            << "\"Truncated\"=hex:00,0";
    }
    EXPECT_EQ(readFloat("Appmreference", 0.5f), 0.5f);
    EXPECT_EQ(readFloat("Avureference", 1.0f), 0.25f);
    ASSERT_TRUE(writeFloat("Appmreference", 0.75f));
    EXPECT_EQ(readFloat("Appmreference", 0.5f), 0.75f);
    EXPECT_EQ(readFloat("Avureference", 1.0f), 0.25f);
    char text[64] = {};
    store_->openForReading()->readValue("CurrDir", text, sizeof text);
    EXPECT_STREQ(text, "unknown to the meters");
}

TEST_F(FileSettingsStoreTest, OversizedFileIsNeitherReadNorReplaced) {
    fs::create_directories(store_->file().parent_path());
    {
        std::ofstream out(store_->file(), std::ios::binary);
        out << std::string(FileSettingsStore::kMaxFileBytes + 1, ';');
    }
    EXPECT_EQ(store_->openForReading(), nullptr);
    EXPECT_EQ(store_->createForWriting(), nullptr);
    EXPECT_EQ(fs::file_size(store_->file()), FileSettingsStore::kMaxFileBytes + 1);
}

TEST_F(FileSettingsStoreTest, AwkwardStringsSurviveTheFile) {
    const std::string text = std::string("/tmp/\"odd\" \\dir\\\n\t\x01\xff\xfe caf\xe9/\xc3\xa9");
    {
        auto key = store_->createForWriting();
        ASSERT_TRUE(key->setString("ManualPath", text.c_str()));
        ASSERT_TRUE(key->setString("After", "still here"));
    }  // the destructor closes
    auto key = store_->openForReading();
    ASSERT_TRUE(key);
    char buffer[128];
    EXPECT_EQ(key->readValue("ManualPath", buffer, sizeof buffer), text.size() + 1);
    EXPECT_EQ(std::string(buffer), text);
    key->readValue("After", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "still here");
}

TEST_F(FileSettingsStoreTest, DeletingRemovesOnlyThatValue) {
    ASSERT_TRUE(writeFloat("Avureference", 0.25f));
    {
        auto key = store_->createForWriting();
        ASSERT_TRUE(key->setString("ManualPath", "/opt/manual.html"));
    }
    {
        auto key = store_->createForWriting();
        EXPECT_TRUE(key->deleteValue("manualpath"));  // names compare without case
        EXPECT_TRUE(key->deleteValue("NeverThere"));
        EXPECT_TRUE(key->close());
    }
    auto key = store_->openForReading();
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readValue("ManualPath", nullptr, 0), 0u);
    EXPECT_EQ(readFloat("Avureference", 1.0f), 0.25f);
    EXPECT_FALSE(key->deleteValue("Avureference"));  // a reading key changes nothing
}

TEST_F(FileSettingsStoreTest, TwoProcessesWritingAtOnceKeepEveryValue) {
    ASSERT_TRUE(writeFloat("Seed", 1.0f));
    constexpr int kWriters = 4;
    constexpr int kRounds = 40;
    pid_t children[kWriters];
    for (int w = 0; w < kWriters; ++w) {
        children[w] = fork();
        ASSERT_GE(children[w], 0);
        if (children[w] == 0) {
            std::string name = "Writer" + std::to_string(w);
            for (int r = 1; r <= kRounds; ++r) {
                auto key = store_->createForWriting();
                float v = static_cast<float>(r);
                if (!key || !key->setBinary(name.c_str(), &v, sizeof v) || !key->close()) _exit(1);
            }
            _exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(readFloat("Seed", 0.0f), 1.0f);
    for (int w = 0; w < kWriters; ++w)
        EXPECT_EQ(readFloat(("Writer" + std::to_string(w)).c_str(), 0.0f), static_cast<float>(kRounds)) << w;
}

TEST_F(FileSettingsStoreTest, CrashBetweenWriteAndRenameLeavesTheOldFile) {
    ASSERT_TRUE(writeFloat("Avureference", 0.25f));
    const std::string before = slurp(store_->file());
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FileSettingsStore::setBeforeRenameHookForTesting([] { _exit(7); });
        writeFloat("Avureference", 0.5f);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 7);  // it did die at the worst moment

    EXPECT_EQ(slurp(store_->file()), before);
    EXPECT_EQ(readFloat("Avureference", 0.0f), 0.25f);
    // The dead writer's lock went with it, and the next writer clears its leftovers.
    auto leftovers = [&] {
        int n = 0;
        for (const auto& e : fs::directory_iterator(store_->file().parent_path()))
            n += e.path().filename().string().find(".tmp") != std::string::npos;
        return n;
    };
    EXPECT_EQ(leftovers(), 1);
    ASSERT_TRUE(writeFloat("Avuintegration", 0.5f));
    EXPECT_EQ(leftovers(), 0);
    EXPECT_EQ(readFloat("Avureference", 0.0f), 0.25f);
}

TEST(ProcessSettingsStore, FollowsTheEnvironmentAtTheFirstCall) {
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    EXPECT_EQ(defaultSettingsFile(), fs::path(config) / "Vantorell" / "QVXVELUNOR300.reg");
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(defaultSettingsFile(), fs::path(std::getenv("HOME")) / ".config" / "Vantorell" / "QVXVELUNOR300.reg");
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    SettingsStore& store = installProcessSettingsStore();
    EXPECT_EQ(settingsStore(), &store);
    EXPECT_EQ(&installProcessSettingsStore(), &store);
    float v = 0.125f;
    auto key = store.createForWriting();
    ASSERT_TRUE(key && key->setBinary("Armsreference", &v, sizeof v) && key->close());
    EXPECT_TRUE(fs::exists(fs::path(config) / "Vantorell" / "QVXVELUNOR300.reg"));
    setSettingsStore(nullptr);
}

}  // namespace
}  // namespace velunor
