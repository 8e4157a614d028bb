// Fonts given by the height of their text line (the cell, leading included),
// as the list windows' faces are: Tahoma's line is 1.207 em high, so a
// 16-pixel line is a 13-pixel font.
#pragma once

#include <QFont>

namespace brondavel::app {

QFont CellHeightFont(const QString& family, int cellHeight, bool bold = false);

}  // namespace brondavel::app
