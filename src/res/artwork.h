#pragma once
// The picture beside the tabs and the program icon, embedded in the program.

#include <wx/iconbndl.h>
#include <wx/image.h>

namespace vellconf {

// 115 x 231 pixels, decoded once; the window scales it to its layout.
const wxImage& pictureImage();
// On Windows every size of the icon resource, so that the title bar and the
// task bar take the image drawn for their size at any scale; elsewhere the
// one 32 x 32 drawing.
wxIconBundle programIcons();

}  // namespace vellconf
