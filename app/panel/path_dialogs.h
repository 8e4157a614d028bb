// The file dialogs of the panel's commands, each starting in the folder of
// the file shown; tests replace them.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace brondavel::app {

struct PathChoosers {
    std::function<QString(const QString& filter)> openFile;
    std::function<QString(const QString& filter)> saveFile;
    std::function<QString()> folder;
};

// The dialogs themselves, opened over `parent` in the folder `startFolder()`
// names when they open ("" leaves the choice to the dialog).
PathChoosers DialogPathChoosers(QWidget* parent, std::function<QString()> startFolder);

// The export's save dialog at `suggested`: a name typed without an extension
// takes the one of the chosen type.
QString ChooseExportPath(QWidget* parent, const QString& suggested);

}  // namespace brondavel::app
