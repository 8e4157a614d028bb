// The magnetic windows place themselves and each other on the screen, which a
// Wayland session does not allow its clients. Under Wayland the application
// therefore runs through XWayland (the xcb platform) when an X display is
// there, unless the user chose a platform.
#pragma once

#include <string>

namespace brondavel::app {

// The platform to ask Qt for, or "" to leave Qt's own choice. Null arguments
// are unset variables; `platformArgument` is true when the command line holds
// "-platform".
std::string PlatformToChoose(const char* qpaPlatform, const char* waylandDisplay,
                             const char* x11Display, bool platformArgument);

// Called before the QApplication exists: sets QT_QPA_PLATFORM=xcb when
// PlatformToChoose says so. Returns the platform it set, or "".
std::string ChoosePlatform(int argc, char** argv);

}  // namespace brondavel::app
