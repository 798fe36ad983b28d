#pragma once
// The tool speaks Japanese whatever the desktop's language: wx's own texts
// (stock buttons, the labels of its dialogs) come from its Japanese catalog,
// GTK's (its file dialogs) from GTK's.

#include <filesystem>

namespace vellconf {

// Looks for the catalog beside the program first, then where the system keeps it.
void useJapaneseTexts(const std::filesystem::path& programFolder);

}  // namespace vellconf
