// Lays the channel sheet out on pages: a title line with the file's name and
// the date on every page, the sections as tables whose heading row repeats on
// each page, and "Page n of m" at the foot. A name that reads right to left
// is shaped and laid out as a right-to-left paragraph, right-aligned.
#pragma once

#include <QString>
#include <vector>

#include "app/logic/channel_sheet.h"

class QPagedPaintDevice;

namespace brondavel::app {

struct SheetHeading {
    QString fileName;  // shown at the top left of every page
    QString date;      // shown at the top right
};

// Paints every page onto `device` (a printer or a PDF writer). False when the
// device cannot be painted on.
bool PaintChannelSheet(QPagedPaintDevice& device, const std::vector<ChannelSheetSection>& sections,
                       const SheetHeading& heading);

// The heading for `path` printed now.
SheetHeading HeadingFor(const QString& path);

}  // namespace brondavel::app
