// The "EPG Test" dialog: both logs read through its buttons and file
// dialogs, the listing printed, and the failures a user can meet.
#include "app/dialogs/epg_test_dialog.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/app/support/gui_test_support.h"
#include "tests/app/support/message_box_answerer.h"

using brondavel::app::EpgTestDialog;
using brondavel::test::MessageBoxAnswerer;
using brondavel::test::OnNextModal;

namespace {

// Clicks `button` and answers the file dialog it opens with `path`; any
// other modal is closed unanswered.
void ClickAndChoose(QPushButton* button, const QString& path) {
    OnNextModal([&](QWidget* modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides it
        } else {
            modal->close();
        }
    });
    button->click();
}

const QByteArray kNetworkLog =
    "[FNT]-> Transport_stream_id : 5\r\n"
    "[FNT]-> Original_network_id : 1\r\n"
    "[FNT][Del_SYS]-> frequency : 11778\r\n"
    "[FNT][Del_SYS]-> orbital_position : 192\r\n"
    "[FNT][Del_SYS]-> west_east_flag : 1\r\n"
    "[FNT][Del_SYS]-> polarization : 0\r\n"
    "[FNT][Del_SYS]-> symbol_rate : 27500\r\n";

const QByteArray kEventLog =
    "service_id : 0x1234\n"
    "event_id : 0x0101\n"
    "ISO : eng\n"
    "event_name : Evening News\r\n"
    "Time : 2009-02-18,20:30 ~ 21:15\n"
    "event_name :\r\n"
    "Time : 2009-02-18,20:30 ~ 21:15\n";

}  // namespace

class EpgTestDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void readsBothLogsAndPrintsThem() {
        QTemporaryDir dir;
        const QString fnt = dir.filePath("fnt.txt"), epg = dir.filePath("epg.txt");
        QVERIFY(brondavel::test::WriteAll(fnt, kNetworkLog + kNetworkLog));
        QVERIFY(brondavel::test::WriteAll(epg, kEventLog));
        EpgTestDialog dialog(nullptr, 2, nullptr);
        dialog.show();

        ClickAndChoose(dialog.findChild<QPushButton*>("fntOpen"), fnt);
        QCOMPARE(dialog.findChild<QLineEdit*>("fntOpenPath")->text(), fnt);
        QCOMPARE(dialog.networkTable().entries().size(), size_t{1});

        ClickAndChoose(dialog.findChild<QPushButton*>("epgOpen"), epg);
        QCOMPARE(dialog.findChild<QLineEdit*>("epgOpenPath")->text(), epg);
        QCOMPARE(dialog.eventTable().entries().size(), size_t{1});

        const QString out = dir.filePath("listing.txt");
        ClickAndChoose(dialog.findChild<QPushButton*>("logPrint"), out);
        QCOMPARE(dialog.findChild<QLineEdit*>("logPrintPath")->text(), out);
        const QByteArray listing = brondavel::test::ReadAll(out);
        QVERIFY(listing.contains("[FNT][Del_SYS]-> symbol_rate : 27500\n"));
        QVERIFY(listing.contains("event_name : Evening News\n"));
    }

    void reportsFilesItCannotReadOrWrite() {
        QTemporaryDir dir;
        EpgTestDialog dialog(nullptr, 2, nullptr);
        dialog.show();
        const QString missing = dir.filePath("missing.txt");
        {
            MessageBoxAnswerer boxes;
            QVERIFY(!dialog.OpenEventLog(missing));
            QVERIFY(boxes.SawOnly("Error", missing));
        }
        QCOMPARE(dialog.findChild<QLineEdit*>("epgOpenPath")->text(), missing);

        // A listing that cannot be written says so, naming the path once.
        const QString blocked = dir.filePath("no-such-folder/listing.txt");
        MessageBoxAnswerer boxes;
        QVERIFY(!dialog.PrintLog(blocked));
        QVERIFY(boxes.SawOnly("Error", blocked));
        QCOMPARE(boxes.seen()[0].text.count(blocked), 1);
    }
};

QTEST_MAIN(EpgTestDialogTest)
#include "epg_test_dialog_test.moc"
