#include "ui/compact_style.h"

#include <wx/textctrl.h>  // and through it wx/defs.h, which defines __WXGTK3__

#ifdef __WXGTK3__
#include <gtk/gtk.h>
#endif

namespace vellconf {

#ifdef __WXGTK3__

namespace {

void addScreenStyle(const char* css) {
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

bool adwaitaTheme() {
    gchar* name = nullptr;
    g_object_get(gtk_settings_get_default(), "gtk-theme-name", &name, nullptr);
    const bool adwaita = name && (g_str_equal(name, "Adwaita") || g_str_equal(name, "Adwaita-dark"));
    g_free(name);
    return adwaita;
}

bool everyMonitorAtScaleOne() {
    GdkDisplay* display = gdk_display_get_default();
    for (int i = 0; i < gdk_display_get_n_monitors(display); ++i)
        if (gdk_monitor_get_scale_factor(gdk_display_get_monitor(display, i)) != 1) return false;
    return true;
}

}  // namespace

#endif

void useCompactFields() {
#ifdef __WXGTK3__
    static const bool applied = [] {
        // Entries lose their padding; check boxes and radio buttons the air
        // around indicator and label beyond what Windows' own leave.
        addScreenStyle("entry { padding: 0 3px; min-height: 0; min-width: 0; }"
                       "check, radio { margin: 0 3px 0 0; }"
                       "checkbutton label, radiobutton label { margin: 0; }");
        // GTK's default theme draws the mark of a checked box or button from an
        // SVG, rendered anew for every control that shows one: a page's worth
        // cost more than building the page. At scale 1 its pre-rendered
        // picture of the same mark looks the same and takes a fraction of
        // that; at larger scales the SVG stays, as it stays sharp.
        if (adwaitaTheme() && everyMonitorAtScaleOne())
            addScreenStyle("check:checked { -gtk-icon-source: -gtk-recolor(url("
                           "'resource:///org/gtk/libgtk/theme/Adwaita/assets/check-symbolic.symbolic.png')); }"
                           "radio:checked { -gtk-icon-source: -gtk-recolor(url("
                           "'resource:///org/gtk/libgtk/theme/Adwaita/assets/bullet-symbolic.symbolic.png')); }");
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
