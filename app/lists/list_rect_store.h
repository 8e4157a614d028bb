// Where each list window was last: one stored rectangle per kind ("SAT_RECT",
// "TP_RECT", "TV_RECT", "RADIO_RECT", "FAV_RECT").
#pragma once

#include <QRect>
#include <optional>

#include "model/record.h"

namespace brondavel::app {

std::optional<QRect> ReadListRect(RecordKind kind);
void WriteListRect(RecordKind kind, const QRect& rect);

}  // namespace brondavel::app
