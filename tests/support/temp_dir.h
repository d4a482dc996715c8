#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include <filesystem>
#include <string>
#include <vector>

namespace marlek::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path operator/(const std::string &name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// The whole content of a file as bytes; empty when it cannot be read.
std::string readFileBytes(const std::filesystem::path &path);

// The names in a folder, hidden ones too, sorted.
std::vector<std::string> filesIn(const std::filesystem::path &folder);

// Writes bytes to a file, replacing it.
void writeFileBytes(const std::filesystem::path &path, const std::string &bytes);

} // namespace marlek::test
