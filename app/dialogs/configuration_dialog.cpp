#include "app/dialogs/configuration_dialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <set>

#include "app/logic/configuration_options.h"
#include "app/logic/model_files.h"
#include "app/settings/settings_paths.h"
#include "files/database_file.h"
#include "link/receiver_link.h"

namespace brondavel::app {

namespace {

constexpr int kRowHeight = 30;
constexpr int kLabelWidth = 84;

int ValueOf(const QComboBox* combo, int fallback) {
    return combo->currentIndex() >= 0 ? combo->currentData().toInt() : fallback;
}

void Select(QComboBox* combo, int value) {
    int row = -1;
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemData(i).toInt() == value) {
            row = i;
            break;
        }
    combo->setCurrentIndex(row);
}

}  // namespace

ConfigurationDialog::ConfigurationDialog(QWidget* parent, link::ReceiverLink* link,
                                         DatabaseFile* file, const ConfigurationValues& values)
    : QDialog(parent),
      link_(link),
      file_(file),
      values_(values),
      portNumber_(link->Port().PortNumber()) {
    setWindowTitle("Configuration");
    chooseTextFile_ = [this] {
        return QFileDialog::getSaveFileName(this, "DB Print", QString(),
                                            "Text File(*.txt) (*.txt)");
    };

    auto* portGroup = new QGroupBox("Port Setting", this);
    portGroup->setGeometry(8, 6, 326, 200);
    port_ = AddCombo(portGroup, 1055, "Port", 0, kPortOptions, true);
    baudRate_ = AddCombo(portGroup, 1056, "Baud rate", 1, kBaudRateOptions, false);
    dataBits_ = AddCombo(portGroup, 1012, "Data", 2, kDataBitsOptions, false);
    stopBits_ = AddCombo(portGroup, 1015, "Stop", 3, kStopBitsOptions, false);
    parity_ = AddCombo(portGroup, 1013, "Parity", 4, kParityOptions, false);
    FillPortCombo();

    auto* modelGroup = new QGroupBox("Model Setting", this);
    modelGroup->setGeometry(8, 212, 326, 78);
    modelSetting_ = AddCombo(modelGroup, 1057, "Model", 0, kModelSettingOptions, false);

    auto* adminGroup = new QGroupBox("Administrator", this);
    adminGroup->setGeometry(342, 6, 316, 200);
    modelType_ = AddCombo(adminGroup, 1058, "Model", 0, kModelTypeOptions, false);
    compress_ = AddCombo(adminGroup, 1059, "Compress", 1, kCompressOptions, false);
    flashType_ = AddCombo(adminGroup, 1014, "Flash Type", 2, kFlashTypeOptions, false);
    account_ = AddCombo(adminGroup, 1016, "Account", 3, kAccountOptions, false);
    update_ = AddCombo(adminGroup, 1017, "Update", 4, kUpdateOptions, false);

    auto* printGroup = new QGroupBox("DB Print", this);
    printGroup->setGeometry(342, 212, 316, 118);
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

    for (QComboBox* fixed : {baudRate_, dataBits_, stopBits_, parity_, update_})
        fixed->setEnabled(false);
    printOpen->setEnabled(file_ != nullptr);
    printMake->setEnabled(file_ != nullptr);
    SelectAll();

    const bool administrator = values_.account == kAccountAdministrator;
    adminGroup->setVisible(administrator);
    printGroup->setVisible(administrator);
    setFixedSize(administrator ? kWideSize : kNarrowSize);

    connect(modelType_, &QComboBox::activated, this, &ConfigurationDialog::OnModelTypeChosen);
    connect(modelSetting_, &QComboBox::activated, this, &ConfigurationDialog::OnModelSettingChosen);
    connect(compress_, &QComboBox::activated, this,
            [this] { values_.compressMode = ValueOf(compress_, values_.compressMode); });
    connect(flashType_, &QComboBox::activated, this,
            [this] { values_.flashType = ValueOf(flashType_, values_.flashType); });
    connect(account_, &QComboBox::activated, this,
            [this] { values_.account = ValueOf(account_, values_.account); });
    connect(printOpen, &QPushButton::clicked, this, &ConfigurationDialog::OnPrintOpen);
    connect(printMake, &QPushButton::clicked, this, &ConfigurationDialog::OnPrintMake);
    connect(ok, &QPushButton::clicked, this, &ConfigurationDialog::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QComboBox* ConfigurationDialog::AddCombo(QWidget* group, int id, const char* label, int row,
                                         OptionTable table, bool editable) {
    const int y = 24 + row * kRowHeight;
    auto* caption = new QLabel(label, group);
    caption->setGeometry(10, y, kLabelWidth, 24);
    auto* combo = new QComboBox(group);
    combo->setObjectName(QString("id%1").arg(id));
    combo->setGeometry(10 + kLabelWidth, y, group->width() - kLabelWidth - 20, 24);
    combo->setEditable(editable);
    for (const OptionRow& option : table) combo->addItem(option.label, option.value);
    return combo;
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
    Select(port_, portNumber_);
    Select(baudRate_, static_cast<int>(line.baud_rate));
    Select(dataBits_, line.byte_size);
    Select(stopBits_, line.stop_bits);
    Select(parity_, line.parity);
    Select(modelSetting_, values_.modelSetting);
    Select(modelType_, values_.modelType);
    Select(compress_, values_.compressMode);
    Select(flashType_, values_.flashType);
    Select(account_, values_.account);
    update_->setCurrentIndex(1);  // always "Lyngsat"
}

void ConfigurationDialog::OnModelTypeChosen() {
    values_.modelType = ValueOf(modelType_, values_.modelType);
    if (values_.modelType == 2) {
        values_.flashType = 0;
        values_.compressMode = 0;
    }
    SelectAll();
}

void ConfigurationDialog::OnModelSettingChosen() {
    values_.modelSetting = ValueOf(modelSetting_, values_.modelSetting);
    values_.modelType = ValueOf(modelType_, values_.modelType);
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
        QMessageBox::critical(
            this, "Error",
            QString("\"%1\" names no port: choose COM1 to COM9 or type a device path such as "
                    "/dev/ttyUSB0.")
                .arg(port_->currentText()));
        return;
    }
    values_.modelType = ValueOf(modelType_, values_.modelType);
    values_.compressMode = ValueOf(compress_, values_.compressMode);
    values_.flashType = ValueOf(flashType_, values_.flashType);
    values_.account = ValueOf(account_, values_.account);
    values_.modelSetting = ValueOf(modelSetting_, values_.modelSetting);

    link::LineSettings line = link_->Port().Settings();
    line.baud_rate = static_cast<uint32_t>(ValueOf(baudRate_, static_cast<int>(line.baud_rate)));
    line.byte_size = static_cast<uint8_t>(ValueOf(dataBits_, line.byte_size));
    line.stop_bits = static_cast<uint8_t>(ValueOf(stopBits_, line.stop_bits));
    line.parity = static_cast<uint8_t>(ValueOf(parity_, line.parity));

    link_->Stop();
    if (!choice.device.empty()) link::AssignPortDevice(choice.number, choice.device);
    link_->Port().Configure(choice.number, line);
    if (!link_->SaveSettings(SerialIniPath().toStdString()))
        QMessageBox::critical(
            this, "Error",
            QString("Cannot write the port settings to \"%1\".").arg(SerialIniPath()));
    link_->Start();
    accept();
}

}  // namespace brondavel::app
