#pragma once

// The shared folder of real games and known positions beside the checkout.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace shared {

inline std::filesystem::path Root() {
    return std::filesystem::path(RAVELIN_SHARED_DIR);
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

inline std::vector<std::filesystem::path> Files(const std::string& sub,
                                                const std::string& extension) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(Root() / sub))
        for (const auto& entry : std::filesystem::recursive_directory_iterator(Root() / sub))
            if (entry.path().extension() == extension) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

inline std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    return fields;
}

}  // namespace shared

#define RAVELIN_REQUIRE_SHARED(sub) \
    if (!std::filesystem::is_directory(shared::Root() / sub)) GTEST_SKIP() << sub " absent"
