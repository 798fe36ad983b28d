#include "ui/compact_style.h"

#include <wx/textctrl.h>  // and through it wx/defs.h, which defines __WXGTK3__

#ifdef __WXGTK3__
#include <gtk/gtk.h>
#endif

namespace vellconf {

void useCompactFields() {
#ifdef __WXGTK3__
    static const bool applied = [] {
        GtkCssProvider* provider = gtk_css_provider_new();
        // Entries lose their padding; check boxes and radio buttons the air
        // around indicator and label beyond what Windows' own leave.
        gtk_css_provider_load_from_data(provider,
                                        "entry { padding: 0 3px; min-height: 0; min-width: 0; }"
                                        "check, radio { margin: 0 3px 0 0; }"
                                        "checkbutton label, radiobutton label { margin: 0; }",
                                        -1, nullptr);
        gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        g_object_unref(provider);
        return true;
    }();
    (void)applied;
#endif
}

void makeSlim([[maybe_unused]] wxTextCtrl* field) {
#ifdef __WXMSW__
    field->SetMargins(1, -1);
#endif
}

}  // namespace vellconf
