// "Configuration": the COM port and its line settings for everyone; the model,
// compression, flash type, account, the transponder table source and the
// source-table print for an administrator, who sees the dialog's right half
// too.
#pragma once

#include <QDialog>
#include <functional>

#include "app/logic/configuration_table_source.h"
#include "app/logic/configuration_values.h"
#include "app/logic/option_table.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brondavel {
class DatabaseFile;
namespace link {
class ReceiverLink;
}
}  // namespace brondavel

namespace brondavel::app {

class ConfigurationDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr QSize kNarrowSize{342, 340};
    static constexpr QSize kWideSize{666, 340};

    // `file` may be null: then the source-table print is off.
    ConfigurationDialog(QWidget* parent, link::ReceiverLink* link, DatabaseFile* file,
                        const ConfigurationValues& values);

    // The values to hand back after OK.
    const ConfigurationValues& Values() const { return values_; }
    // The table source shown; stored at OK.
    const TableSource& Source() const { return source_; }
    // Asks for the source-table path; a file dialog unless a test replaces it.
    void SetTextFileChooser(std::function<QString()> chooser) { chooseTextFile_ = chooser; }
    // Asks for the satellites.xml file; a file dialog unless a test replaces it.
    void SetTableFileChooser(std::function<QString()> chooser) { chooseTableFile_ = chooser; }

  private:
    // A combo box with the values of a fixed table.
    struct OptionCombo {
        QComboBox* combo = nullptr;
        OptionTable table;
        void Select(int value) const;
        int Value(int fallback) const;
    };
    QComboBox* AddCombo(QWidget* group, int id, const char* label, int row);
    OptionCombo AddOptionCombo(QWidget* group, int id, const char* label, int row,
                               OptionTable table);
    void FillPortCombo();
    void SelectAll();
    void ShowTableSource();
    void OnModelTypeChosen();
    void OnModelSettingChosen();
    void AddTableFileRow(QWidget* group, int row);
    void OnTableSourceChosen();
    void OnTableFileBrowse();
    void OnPrintOpen();
    void OnPrintMake();
    void OnOk();

    link::ReceiverLink* link_;
    DatabaseFile* file_;
    ConfigurationValues values_;
    int portNumber_;
    std::function<QString()> chooseTextFile_;
    std::function<QString()> chooseTableFile_;
    TableSource source_;
    bool administrator_;  // the right half is shown, the table source with it

    QComboBox* port_;
    QString shownPort_;  // the port text before the user changed it
    OptionCombo baudRate_;
    OptionCombo dataBits_;
    OptionCombo stopBits_;
    OptionCombo parity_;
    OptionCombo modelSetting_;
    OptionCombo modelType_;
    OptionCombo compress_;
    OptionCombo flashType_;
    OptionCombo account_;
    OptionCombo update_;
    QLineEdit* tableFile_;
    QPushButton* browseTableFile_;
    QLabel* printPath_;
};

}  // namespace brondavel::app
