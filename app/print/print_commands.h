// File -> "Print..." and "Export PDF...": ask which lists and how to divide
// them, then show the print preview or write the PDF.
#pragma once

#include <QDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QString>
#include <vector>

#include "app/logic/channel_sheet.h"
#include "app/print/channel_sheet_painter.h"
#include "model/database_engine.h"

class QComboBox;

namespace brondavel::app {

// Which lists to print and how to divide them.
class SheetOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SheetOptionsDialog(const QString& title, QWidget* parent = nullptr);
    ChannelSheetOptions Options() const;

  private:
    QComboBox* lists_;
    QComboBox* sections_;
};

// The print preview of the sheet for the database shown from `path`; its
// Print button prints.
class ChannelSheetPreview : public QPrintPreviewDialog {
    Q_OBJECT
  public:
    ChannelSheetPreview(QWidget* parent, const DatabaseEngine& db, const QString& path,
                        const ChannelSheetOptions& options);

  private:
    void Paint(QPrinter* printer);

    std::vector<ChannelSheetSection> sections_;
    SheetHeading heading_;
};

// The steps of "Export PDF...": false when nothing was written; a failure has
// been shown in a message box by then.
bool ExportSheetPdf(QWidget* parent, const DatabaseEngine& db, const QString& databasePath,
                    const ChannelSheetOptions& options, const QString& pdfPath);

// `path` with ".pdf" added when its file name has no extension.
QString PdfPathFrom(const QString& path);

}  // namespace brondavel::app
