// The panel's faces: "Tahoma" for its buttons and bold "Arial" for the
// progress bar and the model caption. Debian's metric-compatible fonts stand
// in for both; the system face takes over when they are missing.
#pragma once

#include <QFont>

namespace brondavel::app {

// Loads the Tahoma stand-in that fonts-wine keeps outside fontconfig. Call
// once after the application object exists.
void LoadApplicationFonts();

// "Tahoma", 16 pixels high: the File, Config and Stop buttons.
QFont ButtonFont();
// Bold "Arial": the progress bar and the (rotated) model caption.
QFont BoldCaptionFont(int pixelSize = 12);

}  // namespace brondavel::app
