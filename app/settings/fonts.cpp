#include "app/settings/fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace brondavel::app {

void LoadApplicationFonts() {
    static const char* const kWineTahoma = "/usr/share/wine/fonts/tahoma.ttf";
    if (QFile::exists(kWineTahoma)) QFontDatabase::addApplicationFont(kWineTahoma);
}

// A family that is missing resolves through fontconfig's substitutes ("Arial"
// to Liberation Sans) and in the end to the system face.
QFont ButtonFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(16);
    return font;
}

QFont BoldCaptionFont(int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

}  // namespace brondavel::app
