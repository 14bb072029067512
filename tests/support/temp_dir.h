#pragma once
// A folder of a test's own under the system's temporary folder, removed with
// everything in it when the test is done.

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace testing_support {

class TempDir {
public:
    explicit TempDir(const std::string& prefix = "veltrix-test-") {
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        // A name nobody else holds: create_directory is false when it exists.
        do {
            path_ = base / (prefix + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace testing_support
