#include "app/dialogs/configuration_dialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <set>

#include "app/edit/option_combo.h"
#include "app/logic/configuration_options.h"
#include "app/logic/model_files.h"
#include "app/settings/settings_paths.h"
#include "app/settings/table_source_setting.h"
#include "files/database_file.h"
#include "link/receiver_link.h"

namespace brondavel::app {

namespace {

constexpr int kRowHeight = 30;
constexpr int kLabelWidth = 84;

}  // namespace

void ConfigurationDialog::OptionCombo::Select(int value) const {
    SelectValue(combo, table, value);
}

int ConfigurationDialog::OptionCombo::Value(int fallback) const {
    return SelectedValue(combo, table, fallback);
}

ConfigurationDialog::ConfigurationDialog(QWidget* parent, link::ReceiverLink* link,
                                         DatabaseFile* file, const ConfigurationValues& values)
    : QDialog(parent),
      link_(link),
      file_(file),
      values_(values),
      portNumber_(link->Port().PortNumber()),
      source_(LoadTableSource()),
      administrator_(values.account == kAccountAdministrator) {
    setWindowTitle("Configuration");
    chooseTextFile_ = [this] {
        return QFileDialog::getSaveFileName(this, "DB Print", QString(),
                                            "Text File(*.txt) (*.txt)");
    };
    chooseTableFile_ = [this] {
        return QFileDialog::getOpenFileName(this, "Transponder Tables",
                                            QFileInfo(tableFile_->text()).path(),
                                            "satellites.xml (*.xml);;All Files (*)");
    };

    auto* portGroup = new QGroupBox("Port Setting", this);
    portGroup->setGeometry(8, 6, 326, 200);
    port_ = AddCombo(portGroup, 1055, "Port", 0);
    port_->setEditable(true);
    baudRate_ = AddOptionCombo(portGroup, 1056, "Baud rate", 1, kBaudRateOptions);
    dataBits_ = AddOptionCombo(portGroup, 1012, "Data", 2, kDataBitsOptions);
    stopBits_ = AddOptionCombo(portGroup, 1015, "Stop", 3, kStopBitsOptions);
    parity_ = AddOptionCombo(portGroup, 1013, "Parity", 4, kParityOptions);
    FillPortCombo();

    auto* modelGroup = new QGroupBox("Model Setting", this);
    modelGroup->setGeometry(8, 212, 326, 78);
    modelSetting_ = AddOptionCombo(modelGroup, 1057, "Model", 0, kModelSettingOptions);

    auto* adminGroup = new QGroupBox("Administrator", this);
    adminGroup->setGeometry(342, 6, 316, 206);
    modelType_ = AddOptionCombo(adminGroup, 1058, "Model", 0, kModelTypeOptions);
    compress_ = AddOptionCombo(adminGroup, 1059, "Compress", 1, kCompressOptions);
    flashType_ = AddOptionCombo(adminGroup, 1014, "Flash Type", 2, kFlashTypeOptions);
    account_ = AddOptionCombo(adminGroup, 1016, "Account", 3, kAccountOptions);
    update_ = AddOptionCombo(adminGroup, 1017, "Update", 4, kTableSourceOptions);
    AddTableFileRow(adminGroup, 5);

    auto* printGroup = new QGroupBox("DB Print", this);
    printGroup->setGeometry(342, 218, 316, 112);
    printPath_ = new QLabel(printGroup);
    printPath_->setObjectName("id1045");
    printPath_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    printPath_->setGeometry(10, 26, 296, 24);
    auto* printOpen = new QPushButton("Open", printGroup);
    printOpen->setObjectName("id1001");
    printOpen->setGeometry(10, 60, 90, 28);
    auto* printMake = new QPushButton("Make", printGroup);
    printMake->setObjectName("id1002");
    printMake->setGeometry(110, 60, 90, 28);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("id1");
    ok->setDefault(true);
    ok->setGeometry(152, 300, 86, 28);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("id2");
    cancel->setGeometry(246, 300, 86, 28);

    for (const OptionCombo& fixed : {baudRate_, dataBits_, stopBits_, parity_})
        fixed.combo->setEnabled(false);
    printOpen->setEnabled(file_ != nullptr);
    printMake->setEnabled(file_ != nullptr);
    SelectAll();
    shownPort_ = port_->currentText();

    adminGroup->setVisible(administrator_);
    printGroup->setVisible(administrator_);
    setFixedSize(administrator_ ? kWideSize : kNarrowSize);

    connect(modelType_.combo, &QComboBox::activated, this, &ConfigurationDialog::OnModelTypeChosen);
    connect(modelSetting_.combo, &QComboBox::activated, this,
            &ConfigurationDialog::OnModelSettingChosen);
    connect(compress_.combo, &QComboBox::activated, this,
            [this] { values_.compressMode = compress_.Value(values_.compressMode); });
    connect(flashType_.combo, &QComboBox::activated, this,
            [this] { values_.flashType = flashType_.Value(values_.flashType); });
    connect(account_.combo, &QComboBox::activated, this,
            [this] { values_.account = account_.Value(values_.account); });
    connect(update_.combo, &QComboBox::activated, this, &ConfigurationDialog::OnTableSourceChosen);
    connect(tableFile_, &QLineEdit::textEdited, this,
            [this](const QString& text) { source_.path = text.toStdString(); });
    connect(browseTableFile_, &QPushButton::clicked, this, &ConfigurationDialog::OnTableFileBrowse);
    connect(printOpen, &QPushButton::clicked, this, &ConfigurationDialog::OnPrintOpen);
    connect(printMake, &QPushButton::clicked, this, &ConfigurationDialog::OnPrintMake);
    connect(ok, &QPushButton::clicked, this, &ConfigurationDialog::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QComboBox* ConfigurationDialog::AddCombo(QWidget* group, int id, const char* label, int row) {
    const int y = 24 + row * kRowHeight;
    auto* caption = new QLabel(label, group);
    caption->setGeometry(10, y, kLabelWidth, 24);
    QComboBox* combo = NewOptionCombo(group, QString("id%1").arg(id).toLatin1().constData());
    combo->setGeometry(10 + kLabelWidth, y, group->width() - kLabelWidth - 20, 24);
    return combo;
}

ConfigurationDialog::OptionCombo ConfigurationDialog::AddOptionCombo(QWidget* group, int id,
                                                                     const char* label, int row,
                                                                     OptionTable table) {
    OptionCombo option{AddCombo(group, id, label, row), table};
    FillOptions(option.combo, table);
    return option;
}

// The satellites.xml path below the Update choice, across the group.
void ConfigurationDialog::AddTableFileRow(QWidget* group, int row) {
    const int y = 24 + row * kRowHeight;
    tableFile_ = new QLineEdit(group);
    tableFile_->setObjectName("tableSourceFile");
    tableFile_->setPlaceholderText("satellites.xml path");
    tableFile_->setGeometry(10, y, group->width() - 112, 24);
    browseTableFile_ = new QPushButton("Browse...", group);
    browseTableFile_->setObjectName("tableSourceBrowse");
    browseTableFile_->setGeometry(group->width() - 96, y - 2, 86, 28);
}

// COM1 to COM9 show the device each stands for; devices found that no port
// number names follow as bare paths.
void ConfigurationDialog::FillPortCombo() {
    port_->clear();
    std::set<std::string> named;
    for (const OptionRow& option : kPortOptions) {
        const std::string device = link::PortDevicePath(option.value);
        named.insert(device);
        port_->addItem(QString::fromStdString(PortEntryLabel(option.value, device)), option.value);
    }
    for (const std::string& device : link::ListSerialDevices())
        if (!named.count(device)) port_->addItem(QString::fromStdString(device), 0);
}

void ConfigurationDialog::SelectAll() {
    const link::LineSettings& line = link_->Port().Settings();
    port_->setCurrentIndex(port_->findData(portNumber_));
    baudRate_.Select(static_cast<int>(line.baud_rate));
    dataBits_.Select(line.byte_size);
    stopBits_.Select(line.stop_bits);
    parity_.Select(line.parity);
    modelSetting_.Select(values_.modelSetting);
    modelType_.Select(values_.modelType);
    compress_.Select(values_.compressMode);
    flashType_.Select(values_.flashType);
    account_.Select(values_.account);
    ShowTableSource();
}

void ConfigurationDialog::ShowTableSource() {
    update_.Select(source_.kind);
    tableFile_->setText(QString::fromStdString(source_.path));
    tableFile_->setToolTip(tableFile_->text());
    tableFile_->setEnabled(NeedsPath(source_.kind));
    browseTableFile_->setEnabled(NeedsPath(source_.kind));
}

void ConfigurationDialog::OnTableSourceChosen() {
    source_.kind = update_.Value(source_.kind);
    ShowTableSource();
}

void ConfigurationDialog::OnTableFileBrowse() {
    const QString path = chooseTableFile_();
    if (path.isEmpty()) return;
    source_.path = path.toStdString();
    ShowTableSource();
}

void ConfigurationDialog::OnModelTypeChosen() {
    values_ = WithModelType(values_, modelType_.Value(values_.modelType));
    SelectAll();
}

void ConfigurationDialog::OnModelSettingChosen() {
    values_.modelSetting = modelSetting_.Value(values_.modelSetting);
    values_.modelType = modelType_.Value(values_.modelType);
}

void ConfigurationDialog::OnPrintOpen() {
    const QString path = chooseTextFile_();
    if (path.isEmpty()) return;
    printPath_->setText(QString::fromStdString(WithDefaultExtension(path.toStdString(), ".txt")));
}

void ConfigurationDialog::OnPrintMake() {
    const QString path = printPath_->text();
    if (!file_ || path.isEmpty()) return;
    if (file_->PrintSource(path.toStdString())) {
        QMessageBox::information(this, "Message", "Success !!");
        return;
    }
    QMessageBox::critical(this, "Error",
                          QString("Cannot print the channel table to \"%1\":\n%2")
                              .arg(path, QString::fromStdString(file_->lastError())));
}

void ConfigurationDialog::OnOk() {
    const PortChoice choice = ParsePortChoice(port_->currentText().toStdString(), portNumber_);
    if (choice.number == 0) {
        // The example path stands on a line of its own, so it is never broken.
        QMessageBox::critical(this, "Error",
                              QString("\"%1\" names no port.\nChoose COM1 to COM9, or type the "
                                      "path of a serial device, such as\n/dev/ttyUSB0")
                                  .arg(port_->currentText()));
        return;
    }
    if (!choice.device.empty()) {
        const std::string problem = link::TerminalProblem(choice.device);
        if (!problem.empty()) {
            QMessageBox::critical(
                this, "Error",
                QString("This path cannot serve as the port:\n%1\n(%2)")
                    .arg(QString::fromStdString(choice.device), QString::fromStdString(problem)));
            return;
        }
    }
    const std::string sourceProblem = administrator_ ? TableSourceProblem(source_) : std::string();
    if (!sourceProblem.empty()) {
        QMessageBox::critical(this, "Error", QString::fromStdString(sourceProblem));
        return;
    }
    values_.modelType = modelType_.Value(values_.modelType);
    values_.compressMode = compress_.Value(values_.compressMode);
    values_.flashType = flashType_.Value(values_.flashType);
    values_.account = account_.Value(values_.account);
    values_.modelSetting = modelSetting_.Value(values_.modelSetting);

    link::LineSettings line = link_->Port().Settings();
    line.baud_rate = static_cast<uint32_t>(baudRate_.Value(static_cast<int>(line.baud_rate)));
    line.byte_size = static_cast<uint8_t>(dataBits_.Value(line.byte_size));
    line.stop_bits = static_cast<uint8_t>(stopBits_.Value(line.stop_bits));
    line.parity = static_cast<uint8_t>(parity_.Value(line.parity));

    link_->Stop();
    // A port given for this run only stays unstored unless the user chose it here.
    if (port_->currentText() != shownPort_) link_->ChoosePort(choice.number, choice.device);
    link_->Port().Configure(link_->Port().PortNumber(), line);
    if (!link_->SaveSettings(SerialIniPath().toStdString()))
        QMessageBox::critical(
            this, "Error",
            QString("Cannot write the port settings to \"%1\".").arg(SerialIniPath()));
    link_->Start();
    if (administrator_ && !SaveTableSource(source_))
        QMessageBox::critical(
            this, "Error",
            QString("Cannot write the table source to \"%1\".").arg(RegistryFilePath()));
    accept();
}

}  // namespace brondavel::app
