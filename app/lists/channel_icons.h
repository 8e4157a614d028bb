// The four 16x16 pictures of the channel lists: 0 a channel, 1 locked,
// 2 in a favourite group, 3 scrambled.
#pragma once

#include <QImage>

namespace brondavel::app {

inline constexpr int kChannelIconCount = 4;
// A null image for an index outside 0..3.
QImage ChannelIcon(int image);

}  // namespace brondavel::app
