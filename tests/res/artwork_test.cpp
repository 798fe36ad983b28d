// The embedded drawings decode to exactly what wx's own XPM reader makes of them.

#include "res/artwork.h"

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/image.h>

#include <cstring>

#include "res/artwork_xpm.h"

namespace vellconf {
namespace {

TEST(Artwork, DrawingsDecodeAsWxsXpmReaderDecodesThem) {
    const struct {
        const char* name;
        wxBitmap decoded;
        const char* const* xpm;
    } cases[] = {{"picture", wxBitmap(pictureImage()), kPictureXpm}, {"icon", programIcon(), kIconXpm}};
    for (const auto& c : cases) {
        const wxImage expected(c.xpm), actual = c.decoded.ConvertToImage();
        ASSERT_EQ(actual.GetSize(), expected.GetSize()) << c.name;
        EXPECT_EQ(std::memcmp(actual.GetData(), expected.GetData(), 3u * expected.GetWidth() * expected.GetHeight()), 0)
            << c.name;
    }
}

}  // namespace
}  // namespace vellconf
