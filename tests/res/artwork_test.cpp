// The embedded drawings decode to exactly what wx's own XPM reader makes of
// them; on Windows the icon comes from the program's resources.

#include "res/artwork.h"

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/image.h>

#include <cstring>
#include <vector>

#include "res/artwork_xpm.h"

namespace vellconf {
namespace {

TEST(Artwork, DrawingsDecodeAsWxsXpmReaderDecodesThem) {
    const struct {
        const char* name;
        wxBitmap decoded;
        const char* const* xpm;
    } cases[] = {
        {"picture", wxBitmap(pictureImage()), kPictureXpm},
#ifndef __WXMSW__
        {"icon", programIcons().GetIconByIndex(0), kIconXpm},
#endif
    };
    for (const auto& c : cases) {
        const wxImage expected(c.xpm), actual = c.decoded.ConvertToImage();
        ASSERT_EQ(actual.GetSize(), expected.GetSize()) << c.name;
        EXPECT_EQ(std::memcmp(actual.GetData(), expected.GetData(), 3u * expected.GetWidth() * expected.GetHeight()), 0)
            << c.name;
    }
}

#ifdef __WXMSW__
// Windows makes an icon of every image of the resource, the PNG one included:
// one it rejected would be left out without a word.
TEST(Artwork, EveryImageOfTheIconResourceLoads) {
    const wxIconBundle icons = programIcons();
    std::vector<int> sizes;
    for (std::size_t i = 0; i < icons.GetIconCount(); ++i) sizes.push_back(icons.GetIconByIndex(i).GetWidth());
    EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 256}));
}
#endif

}  // namespace
}  // namespace vellconf
