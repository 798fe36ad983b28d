#include "ui/wx_text.h"

#include "config/cp932.h"

namespace vellconf {

wxString fromCp932(std::string_view cp932) { return fromUtf8(cp932ToUtf8Lossy(cp932)); }

std::string toCp932(const wxString& text) {
    return utf8ToCp932Lossy(std::string(text.utf8_str())).value_or(std::string());
}

}  // namespace vellconf
