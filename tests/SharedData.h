#pragma once

// Access to the shared folder of real games and known positions, which lives
// beside the checkout. Tests that need it skip when it is absent.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace shared {

inline std::filesystem::path Root() { return std::filesystem::path(RAVELIN_SHARED_DIR); }

inline bool Available(const std::string& sub) { return std::filesystem::is_directory(Root() / sub); }

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Every file below `sub` whose name ends in `extension`, sorted.
inline std::vector<std::filesystem::path> Files(const std::string& sub, const std::string& extension) {
    std::vector<std::filesystem::path> files;
    if (!Available(sub)) return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Root() / sub))
        if (entry.is_regular_file() && entry.path().extension() == extension)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

inline std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t')) fields.push_back(field);
    return fields;
}

}  // namespace shared

#define RAVELIN_REQUIRE_SHARED(sub)                                                 \
    do {                                                                            \
        if (!shared::Available(sub)) GTEST_SKIP() << "shared folder " sub " absent"; \
    } while (0)
