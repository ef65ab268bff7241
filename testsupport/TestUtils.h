// Helpers shared by tests: a temporary folder that removes itself, small file
// reads and writes, and where the fixture programs are.
#pragma once

#include <string>

namespace ad::test {

// A fresh folder under the system's temporary folder, removed with its contents
// when the object goes out of scope. Path() ends with "\".
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Whole-file helpers over raw bytes.
std::string ReadFileBytes(const std::string& fileName);
void WriteFileBytes(const std::string& fileName, const std::string& bytes);

// Folder of the test executable (and of the fixture programs), with "\".
std::string BinDir();
std::string FixturePath(const std::string& exeName);  // e.g. "echoargs.exe"

// Removes a folder and everything in it.
void RemoveTree(const std::string& dir);

}  // namespace ad::test
