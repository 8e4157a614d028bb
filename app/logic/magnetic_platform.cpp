#include "app/logic/magnetic_platform.h"

#include <cstdlib>
#include <cstring>

namespace brondavel::app {

namespace {

bool IsSet(const char* value) {
    return value != nullptr && value[0] != '\0';
}

}  // namespace

std::string PlatformToChoose(const char* qpaPlatform, const char* waylandDisplay,
                             const char* x11Display, bool platformArgument) {
    if (IsSet(qpaPlatform) || platformArgument) return "";
    if (IsSet(waylandDisplay) && IsSet(x11Display)) return "xcb";
    return "";
}

std::string ChoosePlatform(int argc, char** argv) {
    bool platformArgument = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platformArgument = true;
    }
    const std::string platform =
        PlatformToChoose(std::getenv("QT_QPA_PLATFORM"), std::getenv("WAYLAND_DISPLAY"),
                         std::getenv("DISPLAY"), platformArgument);
    if (!platform.empty()) setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    return platform;
}

}  // namespace brondavel::app
