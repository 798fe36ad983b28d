#pragma once
// The picture beside the tabs and the program icon, embedded in the program.

#include <wx/bitmap.h>
#include <wx/icon.h>

namespace vellconf {

wxBitmap pictureBitmap();  // 115 x 231 pixels
wxIcon programIcon();

}  // namespace vellconf
