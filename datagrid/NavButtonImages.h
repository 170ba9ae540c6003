#pragma once
// The pictures of the navigator's buttons: one strip of 18 x 18 images shared by every button,
// two per style (enabled at 2 x style, disabled after it), read from the program's bitmaps
// "DC_DBN_<STYLE>_ENABLED" and "DC_DBN_<STYLE>_DISABLED" when the navigator's unit starts.
class ImageStrip;

namespace qn::datagrid {

// nullptr before the unit starts and after it stops.
ImageStrip* navButtonImages();

}  // namespace qn::datagrid
