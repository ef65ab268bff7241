// Test helper of the digest tests: a temporary folder that removes itself,
// with portable file writes (the tests also build natively, without the
// Windows test support).
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace ad::test {

class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("adhash-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Full name of a file in the folder, as the digest routines take it.
    std::string Name(const std::string& file) const { return (path_ / file).string(); }
    // Writes `bytes` to a file of the folder and returns its full name.
    std::string Write(const std::string& file, const std::string& bytes) const {
        const std::string name = Name(file);
        std::ofstream out(path_ / file, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return name;
    }

private:
    std::filesystem::path path_;
};

}  // namespace ad::test
