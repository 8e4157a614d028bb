#include "app/panel/path_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace brondavel::app {

PathChoosers DialogPathChoosers(QWidget* parent, std::function<QString()> startFolder) {
    PathChoosers choosers;
    choosers.openFile = [parent, startFolder](const QString& filter) {
        return QFileDialog::getOpenFileName(parent, "Open", startFolder(), filter);
    };
    choosers.saveFile = [parent, startFolder](const QString& filter) {
        return QFileDialog::getSaveFileName(parent, "Save as", startFolder(), filter);
    };
    choosers.folder = [parent, startFolder] {
        return QFileDialog::getExistingDirectory(parent, "Folder", startFolder());
    };
    return choosers;
}

QString ChooseExportPath(QWidget* parent, const QString& suggested) {
    QString filter = QStringLiteral("CSV files (*.csv)");
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Export"), suggested,
        QStringLiteral("CSV files (*.csv);;JSON files (*.json)"), &filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        return path + (filter.startsWith(QLatin1String("JSON")) ? QStringLiteral(".json")
                                                                : QStringLiteral(".csv"));
    return path;
}

}  // namespace brondavel::app
