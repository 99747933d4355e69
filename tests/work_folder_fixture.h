#pragma once

// A fresh working folder for each test, made the current directory, as the program runs in one;
// removed afterwards whatever permissions the test left on it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace bt::test {

class WorkFolderTest : public ::testing::Test {
  protected:
    std::filesystem::path dir;

    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("bt-work-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(dir);
    }
    void TearDown() override {
        std::filesystem::current_path(old_);
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(dir);
    }
    // Makes the folder readable but not writable, for everyone.
    void makeReadOnly() {
        using std::filesystem::perms;
        std::filesystem::permissions(dir, perms::owner_read | perms::owner_exec |
                                              perms::group_read | perms::group_exec |
                                              perms::others_read | perms::others_exec);
    }

  public:
    static std::string slurp(const std::filesystem::path& name) {
        std::ifstream in(name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

  private:
    std::filesystem::path old_;
};

} // namespace bt::test
