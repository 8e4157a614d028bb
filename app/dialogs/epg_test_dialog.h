// "EPG Test": reads the receiver's network-table ("[FNT]") and event logs into
// two duplicate-free tables and prints them as text. The panel opens it on
// its help command with the model and the open database.
#pragma once

#include <QDialog>
#include <QString>

#include "model/channel_database.h"
#include "tools/silog/event_log.h"
#include "tools/silog/network_log.h"

class QLineEdit;
class QPushButton;

namespace brondavel::app {

class EpgTestDialog : public QDialog {
    Q_OBJECT
  public:
    EpgTestDialog(QWidget* parent, int model, ChannelDatabase* database);

    // The actions behind the three buttons once a file is chosen; each shows
    // the path beside its button. False (after a message box) on failure.
    bool OpenNetworkLog(const QString& path);
    bool OpenEventLog(const QString& path);
    bool PrintLog(const QString& path);

    const silog::NetworkTable& networkTable() const { return network_; }
    const silog::EventTable& eventTable() const { return events_; }
    int model() const { return model_; }
    ChannelDatabase* database() const { return database_; }

  private:
    QPushButton* AddRow(int row, const QString& text, const QString& name, QLineEdit*& path);
    QString ChooseLogFile(const QString& title);
    void ShowError(const QString& text);

    int model_;
    ChannelDatabase* database_;
    silog::NetworkTable network_;
    silog::EventTable events_;
    QLineEdit* networkPath_ = nullptr;
    QLineEdit* eventPath_ = nullptr;
    QLineEdit* printPath_ = nullptr;
};

}  // namespace brondavel::app
