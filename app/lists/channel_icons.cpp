#include "app/lists/channel_icons.h"

#include <QString>
#include <array>

namespace brondavel::app {

QImage ChannelIcon(int image) {
    if (image < 0 || image >= kChannelIconCount) return {};
    // Images, not pixmaps: they may outlive the application object.
    static const std::array<QImage, kChannelIconCount> icons = [] {
        std::array<QImage, kChannelIconCount> loaded;
        for (int i = 0; i < kChannelIconCount; ++i)
            loaded[i] = QImage(QStringLiteral(":/icons/channel_%1.xpm").arg(i));
        return loaded;
    }();
    return icons[image];
}

}  // namespace brondavel::app
