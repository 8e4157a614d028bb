// The channel sheet as a PDF file, written so that a failure leaves any file
// already at the path as it was.
#pragma once

#include <QString>
#include <vector>

#include "app/logic/channel_sheet.h"
#include "app/print/channel_sheet_painter.h"

namespace brondavel::app {

// False with `error` set when the PDF cannot be made or written.
bool WriteChannelSheetPdf(const QString& path, const std::vector<ChannelSheetSection>& sections,
                          const SheetHeading& heading, QString& error);

}  // namespace brondavel::app
