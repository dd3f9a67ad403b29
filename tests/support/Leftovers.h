#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileReplacement.h"

// The files in folder (not below it) that an interrupted file replacement leaves.
inline std::vector<std::string> replacementLeftoversIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec))
        if (platform::isReplacementLeftover(e.path().string())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline std::string folderOfFile(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}
