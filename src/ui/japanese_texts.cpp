#include "ui/japanese_texts.h"

#include <wx/intl.h>
#include <wx/translation.h>

#include "ui/wx_text.h"

#ifdef __WXGTK__
#include <clocale>
#include <cstdlib>
#endif

namespace vellconf {

void useJapaneseTexts(const std::filesystem::path& programFolder) {
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(fromPath(programFolder));
    // Only the messages change: numbers and file names keep the C library's locale.
    auto* translations = new wxTranslations;
    translations->SetLanguage(wxLANGUAGE_JAPANESE);
    translations->AddStdCatalog();
    wxTranslations::Set(translations);
#ifdef __WXGTK__
    // GTK's own texts as well: the file dialogs' buttons and places. wx keeps
    // GTK from taking the desktop's locale, and the C locale has no
    // translations; LANGUAGE then picks Japanese whatever the desktop's
    // language, and C.UTF-8 is there where no Japanese locale is.
    if (!std::setlocale(LC_MESSAGES, "ja_JP.UTF-8")) std::setlocale(LC_MESSAGES, "C.UTF-8");
    ::setenv("LANGUAGE", "ja", 1);
#endif
}

}  // namespace vellconf
