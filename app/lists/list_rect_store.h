// Where each list window was last: one stored rectangle per kind ("SAT_RECT",
// "TP_RECT", "TV_RECT", "RADIO_RECT", "FAV_RECT").
#pragma once

#include <QRect>
#include <optional>

namespace brondavel::app {

std::optional<QRect> ReadListRect(int kind);
void WriteListRect(int kind, const QRect& rect);

}  // namespace brondavel::app
