#include "app/print/channel_sheet_pdf.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

#include "files/atomic_file.h"

namespace brondavel::app {

bool WriteChannelSheetPdf(const QString& path, const std::vector<ChannelSheetSection>& sections,
                          const SheetHeading& heading, QString& error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        // The writer finishes the document when it goes.
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(heading.fileName);
        writer.setCreator("Brondavel " BRONDAVEL_VERSION);
        if (!PaintChannelSheet(writer, sections, heading)) {
            error = "The PDF could not be drawn.";
            return false;
        }
    }
    const QByteArray& bytes = buffer.data();
    const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                        static_cast<size_t>(bytes.size()));
    std::string why;
    if (!WriteFileAtomically(path.toStdString(), {data}, why)) {
        error = QString::fromStdString(why);
        return false;
    }
    return true;
}

}  // namespace brondavel::app
