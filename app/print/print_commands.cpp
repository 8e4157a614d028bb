#include "app/print/print_commands.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMessageBox>

#include "app/logic/model_files.h"
#include "app/print/channel_sheet_pdf.h"

namespace brondavel::app {

SheetOptionsDialog::SheetOptionsDialog(const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    lists_ = new QComboBox(this);
    lists_->setObjectName("sheetLists");
    lists_->addItems({"TV and radio", "TV", "Radio"});
    sections_ = new QComboBox(this);
    sections_->setObjectName("sheetSections");
    sections_->addItems({"One list", "Per satellite", "Per favourite group"});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow("Lists:", lists_);
    form->addRow("Sections:", sections_);
    form->addRow(buttons);
}

ChannelSheetOptions SheetOptionsDialog::Options() const {
    ChannelSheetOptions options;
    options.tv = lists_->currentIndex() != 2;
    options.radio = lists_->currentIndex() != 1;
    options.grouping = static_cast<SheetGrouping>(sections_->currentIndex());
    return options;
}

ChannelSheetPreview::ChannelSheetPreview(QWidget* parent, const DatabaseEngine& db,
                                         const QString& path, const ChannelSheetOptions& options)
    : QPrintPreviewDialog(parent),
      sections_(BuildChannelSheet(db, options)),
      heading_(HeadingFor(path)) {
    setObjectName("printPreview");
    setWindowTitle("Print Preview");
    printer()->setDocName(heading_.fileName);
    connect(this, &QPrintPreviewDialog::paintRequested, this, &ChannelSheetPreview::Paint);
}

void ChannelSheetPreview::Paint(QPrinter* target) {
    if (!PaintChannelSheet(*target, sections_, heading_))
        QMessageBox::critical(this, "Error", "The printer could not be started.");
}

bool ExportSheetPdf(QWidget* parent, const DatabaseEngine& db, const QString& databasePath,
                    const ChannelSheetOptions& options, const QString& pdfPath) {
    QString error;
    if (WriteChannelSheetPdf(pdfPath, BuildChannelSheet(db, options), HeadingFor(databasePath),
                             error))
        return true;
    QMessageBox box(QMessageBox::Critical, "Error",
                    QString("Cannot write \"%1\":\n%2").arg(pdfPath, error), QMessageBox::Ok,
                    parent);
    box.exec();
    return false;
}

QString PdfPathFrom(const QString& path) {
    return QString::fromStdString(WithDefaultExtension(path.toStdString(), ".pdf"));
}

}  // namespace brondavel::app
