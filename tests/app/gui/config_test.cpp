// The configuration dialog (sizes by account, the CONEXANT reset, OK
// reopening the port, the table source, the DB Print) and the administrator
// password flow.
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/dialogs/configuration_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "tests/app/support/message_box_answerer.h"
#include "tests/app/support/panel_test_support.h"

using namespace brondavel;
using namespace brondavel::test;
using app::ConfigurationDialog;
using app::ConfigurationValues;
using app::MainPanel;

class ConfigTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSettings(); }

    void sizeAndChoicesFollowTheAccount() {
        PanelOnPty p;
        for (int account : {1, 2}) {
            ConfigurationValues values;
            values.account = account;
            ConfigurationDialog dialog(nullptr, &p.panel->Link(), nullptr, values);
            dialog.show();
            const bool wide = account == 2;
            QCOMPARE(dialog.size(),
                     wide ? ConfigurationDialog::kWideSize : ConfigurationDialog::kNarrowSize);
            QCOMPARE(ById(&dialog, 1058)->isVisible(), wide);
            QCOMPARE(ById(&dialog, 1045)->isVisible(), wide);
            if (!wide) continue;
            // CONEXANT resets the flash and the compression.
            auto* model = ById<QComboBox>(&dialog, 1058);
            model->setCurrentIndex(0);
            emit model->activated(0);
            QCOMPARE(ById<QComboBox>(&dialog, 1014)->currentText(), QString("Unknow"));
            QCOMPARE(ById<QComboBox>(&dialog, 1059)->currentText(), QString("Not Support"));
            QCOMPARE(dialog.Values().flashType, 0);
            QCOMPARE(dialog.Values().compressMode, 0);
        }
    }

    // The choice and its file are stored at OK and shown again by the next
    // dialog; a file that is not there keeps the dialog open.
    void tableSourceIsStoredAndAMissingFileRefused() {
        PanelOnPty p;
        ConfigurationValues admin;
        admin.account = 2;
        const QString xml = p.dir.filePath("satellites.xml");
        QVERIFY(WriteAll(xml, "<satellites/>"));
        {
            ConfigurationDialog dialog(nullptr, &p.panel->Link(), nullptr, admin);
            auto* source = ById<QComboBox>(&dialog, 1017);
            auto* file = dialog.findChild<QLineEdit*>("tableSourceFile");
            auto* browse = dialog.findChild<QPushButton*>("tableSourceBrowse");
            QVERIFY(!file->isEnabled() && !browse->isEnabled());
            QVERIFY(browse->sizeHint().width() <= browse->width());
            source->setCurrentIndex(1);
            emit source->activated(1);
            QVERIFY(file->isEnabled() && browse->isEnabled());
            QTest::keyClicks(file, p.dir.filePath("gone.xml"));
            QSignalSpy accepted(&dialog, &QDialog::accepted);
            {
                MessageBoxAnswerer boxes;
                ById<QPushButton>(&dialog, 1)->click();
                QVERIFY(boxes.SawOnly("Error", "gone.xml\" does not exist"));
            }
            QCOMPARE(accepted.count(), 0);
            dialog.SetTableFileChooser([&] { return xml; });
            browse->click();
            QCOMPARE(file->text(), xml);
            ById<QPushButton>(&dialog, 1)->click();
            QCOMPARE(accepted.count(), 1);
        }
        ConfigurationDialog again(nullptr, &p.panel->Link(), nullptr, admin);
        QCOMPARE(ById<QComboBox>(&again, 1017)->currentText(), QString("satellites.xml file"));
        QCOMPARE(again.findChild<QLineEdit*>("tableSourceFile")->text(), xml);
        // Whoever cannot see the choice is not held up by a file gone since.
        QVERIFY(QFile::remove(xml));
        ConfigurationDialog user(nullptr, &p.panel->Link(), nullptr, ConfigurationValues{});
        QSignalSpy accepted(&user, &QDialog::accepted);
        ById<QPushButton>(&user, 1)->click();
        QCOMPARE(accepted.count(), 1);
    }

    // A value the port cannot use is named once at start; the port opens with
    // the default instead.
    void invalidSerialIniValueIsNamedOnce() {
        QDir().mkpath(QFileInfo(app::SerialIniPath()).path());
        QVERIFY(WriteAll(app::SerialIniPath(), "[COM]\nDataBits = 99\n"));
        MessageBoxAnswerer boxes;
        PanelOnPty p;
        QTRY_VERIFY(boxes.SawPart("DataBits=99"));
        QCOMPARE(boxes.seen().size(), size_t{1});
        QVERIFY(p.panel->Link().Port().IsOpen());
    }

    // OK reopens the port and stores it; the port given for the run is not
    // stored unless chosen here. A typed device becomes the port's; a text
    // that names no port, or a path that is no terminal, keeps the dialog
    // open with a message that says why.
    void okReopensThePortAndStoresIt() {
        PanelOnPty p;
        MainPanel& panel = *p.panel;
        auto ok = [&panel](const QString& device) {
            ConfigurationDialog dialog(&panel, &panel.Link(), nullptr, ConfigurationValues{});
            QSignalSpy accepted(&dialog, &QDialog::accepted);
            if (!device.isEmpty()) ById<QComboBox>(&dialog, 1055)->setEditText(device);
            ById<QPushButton>(&dialog, 1)->click();
            return accepted.count() == 1;
        };
        QVERIFY(ok({}));
        QVERIFY(panel.Link().Port().IsOpen() && panel.Link().MonitorRunning());
        QByteArray saved = ReadAll(app::SerialIniPath());
        for (const char* line : {"[COM]", "Id=1", "BaudRate=115200", "Device=/dev/ttyS0"})
            QVERIFY2(saved.contains(line), line);

        linktest::Pty other;
        QVERIFY(ok(QString::fromStdString(other.path)));
        QCOMPARE(panel.Link().Port().PortNumber(), 1);
        QCOMPARE(link::PortDevicePath(1), other.path);
        QVERIFY(panel.Link().Port().IsOpen());
        QVERIFY(ReadAll(app::SerialIniPath())
                    .contains("Device=" + QByteArray::fromStdString(other.path)));
        for (const char* text : {"COM12", "/dev/null"}) {
            MessageBoxAnswerer boxes;
            QVERIFY(!ok(text));
            QVERIFY(boxes.SawOnly("Error", text));
        }
        QCOMPARE(link::PortDevicePath(1), other.path);
    }

    // Home asks for the password (case kept); the administrator then prints the loaded database's
    // channel table and hands the account back.
    void passwordFlowAndTheAdministratorsChoices() {
        PanelOnPty p(true);
        MainPanel& panel = *p.panel;
        panel.show();
        QTest::keyClick(&panel, Qt::Key_Home);
        // What the dialogs showed is checked after they closed.
        bool wrongEmptied = false, caseRefused = false;
        OnNextModal([&](QWidget* w) {
            auto* field = ById<QLineEdit>(w, 1044);
            QTest::keyClicks(field, "quenlot-to");
            ById<QPushButton>(w, 1)->click();
            wrongEmptied = field->text().isEmpty() && w->isVisible();
            field->setText("Quenlot");
            ById<QPushButton>(w, 1)->click();
            caseRefused = w->isVisible();
            field->setText("quenlot");
            ById<QPushButton>(w, 1)->click();
            if (w->isVisible()) static_cast<QDialog*>(w)->reject();
        });
        QTRY_COMPARE(panel.Account(), 2);
        QVERIFY(wrongEmptied && caseRefused);
        QCOMPARE(panel.StatusText(), QString("Ver 2.13-8C5AS2-RCIA-S ( 2009.02.18. )"));

        // Esc grants nothing, and the next Home key asks again.
        bool asked = false;
        OnNextModal([&](QWidget* w) {
            asked = true;
            static_cast<QDialog*>(w)->reject();
        });
        QTest::keyClick(&panel, Qt::Key_Home);
        QTRY_VERIFY(asked);
        QCOMPARE(panel.Account(), 2);

        const QString table = p.dir.filePath("table");
        bool printEnabled = false, printed = false;
        QString printPath;
        OnNextModal([&](QWidget* w) {
            auto* dialog = static_cast<ConfigurationDialog*>(w);
            dialog->SetTextFileChooser([&] { return table; });
            printEnabled = ById(dialog, 1001)->isEnabled();
            ById<QPushButton>(dialog, 1001)->click();
            printPath = ById<QLabel>(dialog, 1045)->text();
            MessageBoxAnswerer boxes;
            ById<QPushButton>(dialog, 1002)->click();
            printed = boxes.Saw("Message", "Success !!");
            auto* account = ById<QComboBox>(dialog, 1016);
            account->setCurrentIndex(1);
            emit account->activated(1);
            ById<QPushButton>(dialog, 1)->click();
            if (dialog->isVisible()) dialog->reject();
        });
        panel.OnConfig();
        QVERIFY(printEnabled && printed);
        QCOMPARE(printPath, table + ".txt");
        QVERIFY(QFile(table + ".txt").size() > 0);
        QCOMPARE(panel.Account(), 1);
        QCOMPARE(panel.StatusText(), QString("Ver 2.13-8C5AS2-RCIB-S ( 2009.02.18. )"));
    }
};

QTEST_MAIN(ConfigTest)
#include "config_test.moc"
