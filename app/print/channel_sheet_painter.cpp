#include "app/print/channel_sheet_painter.h"

#include <QAbstractTextDocumentLayout>
#include <QDateTime>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>

#include "text/conexant_text.h"

namespace brondavel::app {

namespace {

constexpr int kBodyPoints = 9;
constexpr int kHeadingPoints = 10;
const char* const kFace = "DejaVu Sans";
const char* const kMark = "\u2713";  // a check mark

QString Cell(const std::string& text, const char* align = nullptr) {
    const QString shown = QString::fromStdString(text);
    // A name that reads right to left is a right-to-left paragraph, from the
    // cell's right edge: its trailing digits end up at the left.
    if (text::IsRightToLeftName(text))
        return "<td><p dir=\"rtl\" align=\"right\">" + shown.toHtmlEscaped() + "</p></td>";
    QString td = align ? QString("<td align=\"%1\">").arg(align) : QString("<td>");
    return td + shown.toHtmlEscaped() + "</td>";
}

QString MarkCell(bool on) {
    return QString("<td align=\"center\">%1</td>").arg(on ? kMark : "");
}

QString SheetHtml(const std::vector<ChannelSheetSection>& sections) {
    QString html = "<html><body>";
    for (const ChannelSheetSection& section : sections) {
        html += "<h3>" + QString::fromStdString(section.title).toHtmlEscaped() + "</h3>";
        if (section.rows.empty()) {
            html += "<p>No channels.</p>";
            continue;
        }
        html +=
            "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
            "style=\"border-collapse: collapse; border-color: #808080\">"
            "<thead><tr bgcolor=\"#e4e8ee\"><th>No.</th><th>Name</th><th>Satellite</th>"
            "<th>Transponder</th><th>Lock</th><th>Fav</th><th>Scr</th></tr></thead>";
        for (const ChannelSheetRow& row : section.rows) {
            html += "<tr>" + Cell(row.number, "right") + Cell(row.name) + Cell(row.satellite) +
                    Cell(row.transponder) + MarkCell(row.locked) + MarkCell(row.favorite) +
                    MarkCell(row.scrambled) + "</tr>";
        }
        html += "</table>";
    }
    return html + "</body></html>";
}

}  // namespace

SheetHeading HeadingFor(const QString& path) {
    return {QFileInfo(path).fileName(), QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm")};
}

bool PaintChannelSheet(QPagedPaintDevice& device, const std::vector<ChannelSheetSection>& sections,
                       const SheetHeading& heading) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const qreal width = device.width();
    const qreal height = device.height();

    QFont headingFont(kFace, kHeadingPoints, QFont::Bold);
    const QFontMetricsF headingMetrics(headingFont, &device);
    const qreal headingHeight = headingMetrics.height() * 2;
    QFont footFont(kFace, kBodyPoints);
    const QFontMetricsF footMetrics(footFont, &device);
    const qreal footHeight = footMetrics.height() * 2;

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    document.setDefaultFont(QFont(kFace, kBodyPoints));
    document.setHtml(SheetHtml(sections));
    const QSizeF body(width, height - headingHeight - footHeight);
    document.setPageSize(body);
    const int pages = std::max(1, document.pageCount());

    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) return false;
        painter.setPen(Qt::black);
        painter.setFont(headingFont);
        const QRectF top(0, 0, width, headingHeight * 0.75);
        painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, heading.fileName);
        painter.drawText(top, Qt::AlignRight | Qt::AlignVCenter, heading.date);
        painter.drawLine(QPointF(0, top.bottom()), QPointF(width, top.bottom()));

        painter.save();
        painter.translate(0, headingHeight - page * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * body.height(), body.width(), body.height());
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();

        painter.setFont(footFont);
        painter.drawText(QRectF(0, height - footHeight, width, footHeight), Qt::AlignCenter,
                         QString("Page %1 of %2").arg(page + 1).arg(pages));
    }
    return painter.end();
}

}  // namespace brondavel::app
