#include "app/lists/cell_height_font.h"

#include <cmath>

namespace brondavel::app {

QFont CellHeightFont(const QString& family, int cellHeight, bool bold) {
    // Tahoma: ascent 2049 and descent 423 font units for an em of 2048.
    constexpr double kLinePerEm = 2472.0 / 2048.0;
    QFont font(family);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(cellHeight / kLinePerEm))));
    font.setBold(bold);
    return font;
}

}  // namespace brondavel::app
