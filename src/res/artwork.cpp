#include "res/artwork.h"

#include "res/artwork_xpm.h"

namespace vellconf {

wxBitmap pictureBitmap() { return wxBitmap(kPictureXpm); }

wxIcon programIcon() { return wxIcon(kIconXpm); }

}  // namespace vellconf
