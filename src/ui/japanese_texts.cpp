#include "ui/japanese_texts.h"

#include <wx/intl.h>
#include <wx/translation.h>

#include "ui/wx_text.h"

namespace vellconf {

void useJapaneseTexts(const std::filesystem::path& programFolder) {
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(fromPath(programFolder));
    // Only the messages change: numbers and file names keep the C library's locale.
    auto* translations = new wxTranslations;
    translations->SetLanguage(wxLANGUAGE_JAPANESE);
    translations->AddStdCatalog();
    wxTranslations::Set(translations);
}

}  // namespace vellconf
