#pragma once
// The picture beside the tabs and the program icon, embedded in the program.

#include <wx/icon.h>
#include <wx/image.h>

namespace vellconf {

// 115 x 231 pixels, decoded once; the window scales it to its layout.
const wxImage& pictureImage();
wxIcon programIcon();

}  // namespace vellconf
