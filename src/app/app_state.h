#pragma once
// What the tool keeps between commands: the two folders, the memo and every
// scalar setting. The window's pages write into it as the user edits; saves
// write it out; loads replace it.

#include <filesystem>
#include <string>

#include "app/ai_settings.h"
#include "config/tool_paths.h"

namespace vellconf {

struct AppState {
    ToolPaths paths;
    std::string memo;      // CP932, LF line ends
    AiSettings settings;
    // Where VellConf.ini, MobData.ini and Friend.ini lie: the program's folder.
    std::filesystem::path sideFolder;

    std::filesystem::path toolSettingsFile() const { return sideFolder / "VellConf.ini"; }
    std::filesystem::path mobDataFile() const { return sideFolder / "MobData.ini"; }
    std::filesystem::path friendFile() const { return sideFolder / "Friend.ini"; }
};

}  // namespace vellconf
