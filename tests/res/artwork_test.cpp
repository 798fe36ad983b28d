// The embedded drawings decode to exactly what wx's own XPM reader makes of
// them; on Windows the icon comes from the program's resources.

#include "res/artwork.h"

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/image.h>

#include <cstring>
#include <utility>
#include <vector>

#include "res/artwork_xpm.h"

namespace vellconf {
namespace {

TEST(Artwork, DrawingsDecodeAsWxsXpmReaderDecodesThem) {
    std::vector<std::pair<wxBitmap, const char* const*>> drawings{{wxBitmap(pictureImage()), kPictureXpm}};
#ifndef __WXMSW__
    drawings.emplace_back(programIcons().GetIconByIndex(0), kIconXpm);
#endif
    for (const auto& [decoded, xpm] : drawings) {
        SCOPED_TRACE(xpm == kIconXpm ? "icon" : "picture");
        const wxImage expected(xpm), actual = decoded.ConvertToImage();
        ASSERT_EQ(actual.GetSize(), expected.GetSize());
        EXPECT_EQ(std::memcmp(actual.GetData(), expected.GetData(), 3u * expected.GetWidth() * expected.GetHeight()), 0);
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
