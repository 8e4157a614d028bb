// "Export...": the rows shown, or every record of the kind, to CSV or JSON.
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "app/lists/list_window.h"
#include "app/logic/kind_traits.h"
#include "files/record_export.h"
#include "model/database_engine.h"
#include "model/field_table.h"

namespace brondavel::app {

namespace {

QString DefaultExportPath(const QString& suggested) {
    QString filter = QStringLiteral("CSV files (*.csv)");
    const QString path = QFileDialog::getSaveFileName(
        nullptr, QStringLiteral("Export"), suggested,
        QStringLiteral("CSV files (*.csv);;JSON files (*.json)"), &filter);
    // A name typed without an extension takes the one of the chosen type.
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        return path + (filter.startsWith(QLatin1String("JSON")) ? QStringLiteral(".json")
                                                                : QStringLiteral(".csv"));
    return path;
}

}  // namespace

void ListWindow::ExportList() {
    if (!database_) return;
    const RecordList& list = database_->list(kind_);
    const size_t shown = list.view().size(), all = list.records().size();
    bool onlyShown = false;
    if (shown < all) {
        QMessageBox ask(QMessageBox::Question, QStringLiteral("Export"),
                        QStringLiteral("The list shows %1 of the %2 rows. Which rows do you "
                                       "want to export?")
                            .arg(shown)
                            .arg(all),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
        ask.button(QMessageBox::Yes)->setText(QStringLiteral("The %1 rows shown").arg(shown));
        ask.button(QMessageBox::No)->setText(QStringLiteral("All %1").arg(all));
        ask.setDefaultButton(QMessageBox::Yes);
        const int answer = ask.exec();
        if (answer == QMessageBox::Cancel) return;
        onlyShown = answer == QMessageBox::Yes;
    }
    const QString suggested = QString::fromLatin1(TraitsOf(kind_).title) + QStringLiteral(".csv");
    const QString path = exportPath_ ? exportPath_(suggested) : DefaultExportPath(suggested);
    if (path.isEmpty() || !database_) return;
    const ExportFormat format = path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)
                                    ? ExportFormat::kJson
                                    : ExportFormat::kCsv;
    // The rows as they are now: the question may have let a refresh through.
    const RecordList& now = database_->list(kind_);
    const std::vector<Record>& rows = onlyShown ? now.view() : now.records();
    std::string error;
    if (!ExportRecords(QFile::encodeName(path).toStdString(), format,
                       GenerationOf(database_->layout()), kind_, rows, error))
        ShowWarning(QStringLiteral("Export"),
                    QStringLiteral("The list could not be exported to %1: %2")
                        .arg(path, QString::fromStdString(error)));
}

}  // namespace brondavel::app
