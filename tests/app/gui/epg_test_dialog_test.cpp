// The "EPG Test" dialog: both logs read through its buttons and file
// dialogs, the listing printed, and the failures a user can meet.
#include "app/dialogs/epg_test_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/app/support/gui_test_support.h"

using brondavel::app::EpgTestDialog;
using brondavel::test::OnNextModal;

namespace {

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Clicks `button` and answers the file dialog it opens with `path`.
void ClickAndChoose(QPushButton* button, const QString& path) {
    OnNextModal([path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->nameFilters(), QStringList{"Bin File(*.txt)"});
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides it
    });
    button->click();
}

// Runs `action` and returns the text of the message box it shows, closing it.
QString MessageOf(const std::function<void()>& action, QString* caption = nullptr) {
    QString text;
    OnNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        text = box->text();
        if (caption) *caption = box->windowTitle();
        box->accept();
    });
    action();
    return text;
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
    void readsBothLogsAndPrintsThem();
    void reportsFilesItCannotReadOrWrite();
};

void EpgTestDialogTest::readsBothLogsAndPrintsThem() {
    QTemporaryDir dir;
    const QString fnt = dir.filePath("fnt.txt"), epg = dir.filePath("epg.txt");
    WriteText(fnt, kNetworkLog + kNetworkLog);
    WriteText(epg, kEventLog);
    EpgTestDialog dialog(nullptr, 2, nullptr);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("EPG Test"));

    ClickAndChoose(dialog.findChild<QPushButton*>("fntOpen"), fnt);
    QCOMPARE(dialog.findChild<QLineEdit*>("fntOpenPath")->text(), fnt);
    QVERIFY(dialog.findChild<QLineEdit*>("fntOpenPath")->isReadOnly());
    QCOMPARE(dialog.networkTable().entries().size(), size_t{1});

    ClickAndChoose(dialog.findChild<QPushButton*>("epgOpen"), epg);
    QCOMPARE(dialog.findChild<QLineEdit*>("epgOpenPath")->text(), epg);
    QCOMPARE(dialog.eventTable().entries().size(), size_t{1});
    QCOMPARE(dialog.eventTable().entries()[0].startCentury, 20);
    QCOMPARE(dialog.eventTable().entries()[0].startYear, 9);

    // A second read of the same log adds nothing.
    QVERIFY(dialog.OpenNetworkLog(fnt));
    QCOMPARE(dialog.networkTable().entries().size(), size_t{1});

    const QString out = dir.filePath("listing.txt");
    ClickAndChoose(dialog.findChild<QPushButton*>("logPrint"), out);
    QCOMPARE(dialog.findChild<QLineEdit*>("logPrintPath")->text(), out);
    const QByteArray listing = ReadText(out);
    QVERIFY(listing.contains("# network entries: 1\n"));
    QVERIFY(listing.contains("[FNT][Del_SYS]-> symbol_rate : 27500\n"));
    QVERIFY(listing.contains("# events: 1\n"));
    QVERIFY(listing.contains("event_name : Evening News\n"));
    QVERIFY(listing.contains("Time : 2009-02-18,20:30 ~ 21:15\n"));

    QCOMPARE(dialog.findChild<QPushButton*>("id1")->text(), QString("OK"));
    dialog.findChild<QPushButton*>("id1")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void EpgTestDialogTest::reportsFilesItCannotReadOrWrite() {
    QTemporaryDir dir;
    EpgTestDialog dialog(nullptr, 2, nullptr);
    dialog.show();
    const QString missing = dir.filePath("missing.txt");
    QString caption;
    QString text = MessageOf([&] { QVERIFY(!dialog.OpenEventLog(missing)); }, &caption);
    QCOMPARE(caption, QString("Error"));
    QVERIFY2(text.contains(missing), qPrintable(text));
    QCOMPARE(dialog.findChild<QLineEdit*>("epgOpenPath")->text(), missing);

    // A listing that cannot be written says so, naming the path once.
    const QString blocked = dir.filePath("no-such-folder/listing.txt");
    text = MessageOf([&] { QVERIFY(!dialog.PrintLog(blocked)); }, &caption);
    QCOMPARE(caption, QString("Error"));
    QVERIFY2(text.count(blocked) == 1, qPrintable(text));
}

QTEST_MAIN(EpgTestDialogTest)
#include "epg_test_dialog_test.moc"
