#include "res/artwork.h"

#include <wx/bitmap.h>
#include <wx/image.h>

#include <array>
#include <cstdio>
#include <cstring>

#include "res/artwork_xpm.h"

namespace vellconf {

namespace {

// wx's XPM reader looks every pixel up in a map of colour names, which made
// decoding the picture cost more than building the whole first page. Our
// drawings have at most two characters per pixel, "#RRGGBB" colours and no
// transparency, so a table indexed by a pixel's characters decodes them at once.
wxImage decode(const char* const* xpm) {
    int width = 0, height = 0, colours = 0, perPixel = 0;
    if (std::sscanf(xpm[0], "%d %d %d %d", &width, &height, &colours, &perPixel) != 4 || perPixel < 1 ||
        perPixel > 2)
        return wxImage(xpm);
    const auto code = [perPixel](const char* pixel) {
        return static_cast<unsigned char>(pixel[0]) | (perPixel == 2 ? static_cast<unsigned char>(pixel[1]) << 8 : 0);
    };
    std::array<std::array<unsigned char, 3>, 0x10000> palette{};
    for (int i = 1; i <= colours; ++i) {
        const char* hex = std::strstr(xpm[i] + perPixel, "c #");
        unsigned rgb = 0;
        if (!hex || std::sscanf(hex + 3, "%6x", &rgb) != 1) return wxImage(xpm);
        palette[code(xpm[i])] = {static_cast<unsigned char>(rgb >> 16), static_cast<unsigned char>(rgb >> 8),
                                 static_cast<unsigned char>(rgb)};
    }
    wxImage image(width, height, false);
    unsigned char* out = image.GetData();
    for (int y = 0; y < height; ++y) {
        const char* row = xpm[1 + colours + y];
        for (int x = 0; x < width; ++x, out += 3) std::memcpy(out, palette[code(row + x * perPixel)].data(), 3);
    }
    return image;
}

}  // namespace

const wxImage& pictureImage() {
    static const wxImage image = decode(kPictureXpm);
    return image;
}

wxIconBundle programIcons() {
#ifdef __WXMSW__
    return wxIconBundle(wxS("aaaa"), nullptr);  // src/res/icon.rc, in this program's own module
#else
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(decode(kIconXpm)));
    return wxIconBundle(icon);
#endif
}

}  // namespace vellconf
