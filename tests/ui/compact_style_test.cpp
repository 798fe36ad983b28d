// How GTK draws the trimmed controls: the marks of checked boxes and buttons.

#include "ui/compact_style.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>  // and through it wx/defs.h, which defines __WXGTK3__
#include <wx/radiobut.h>

#ifdef __WXGTK3__

#include <gtk/gtk.h>

#include "gui_test_support.h"

namespace vellconf {
namespace {

struct IndicatorColours {
    int blue = 0;  // pixels of the indicator's own colour
    int dark = 0;  // near-black pixels
};

// The control drawn off screen, and the colours of the indicator at its left.
IndicatorColours indicatorOf(wxWindow* control) {
    const wxSize size = control->GetSize();
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, size.x, size.y);
    cairo_t* cairo = cairo_create(surface);
    cairo_set_source_rgb(cairo, 1, 1, 1);
    cairo_paint(cairo);
    gtk_widget_draw(control->GetHandle(), cairo);
    cairo_surface_flush(surface);
    IndicatorColours colours;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < std::min(size.x, size.y); ++x) {
            const unsigned char* pixel = data + y * stride + x * 4;  // B, G, R, unused
            colours.blue += pixel[0] > pixel[2] + 80;
            colours.dark += pixel[0] < 60 && pixel[1] < 60 && pixel[2] < 60;
        }
    cairo_destroy(cairo);
    cairo_surface_destroy(surface);
    return colours;
}

TEST(CompactStyle, CheckedMarksStayLightOnTheIndicator) {
    useCompactFields();
    auto* frame = test::pageHost("marks");
    auto* check = new wxCheckBox(frame, wxID_ANY, "check", wxPoint(0, 0));
    auto* radio = new wxRadioButton(frame, wxID_ANY, "radio", wxPoint(0, 30), wxDefaultSize, wxRB_GROUP);
    check->SetValue(true);
    radio->SetValue(true);
    frame->Show();
    // Past the theme's transition into the checked state.
    for (int i = 0; i < 8; ++i) {
        test::yieldToWindow();
        wxMilliSleep(50);
    }
    for (wxWindow* control : std::initializer_list<wxWindow*>{check, radio}) {
        const IndicatorColours colours = indicatorOf(control);
        EXPECT_GT(colours.blue, 20) << control->GetLabel();
        EXPECT_EQ(colours.dark, 0) << control->GetLabel();
    }
    frame->Destroy();
}

}  // namespace
}  // namespace vellconf

#endif
