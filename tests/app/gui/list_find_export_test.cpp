// Find (Ctrl+F) in a list window: the field, Esc and a refill; and
// "Export..." of the rows shown or of the whole kind. What a find leaves and
// what a file holds are the core's.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include "tests/app/gui/demo_list_windows.h"
#include "tests/app/support/message_box_answerer.h"

using namespace brondavel;
using brondavel::test::DemoListWindows;

namespace {

using Names = std::vector<std::string>;

Names Containing(const Names& names, const std::string& word) {
    Names found;
    for (const std::string& name : names)
        if (name.find(word) != std::string::npos) found.push_back(name);
    return found;
}

void Find(DemoListWindows& w, int kind, const QString& text) {
    if (!w.Window(kind).isActiveWindow()) w.Focus(kind);
    QTest::keyClick(&w.View(kind), Qt::Key_F, Qt::ControlModifier);
    QLineEdit* field = w.Window(kind).FindField();
    QVERIFY(field->isVisible());
    // Letters as a keyboard layout sends them, Arabic ones included.
    for (const QChar letter : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(letter), Qt::NoModifier);
}

QStringList Lines(const QString& path) {
    QStringList lines = QString::fromUtf8(test::ReadAll(path)).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

void Export(DemoListWindows& w, int kind, const QString& path) {
    w.Window(kind).SetExportPathChooser([path](const QString&) { return path; });
    std::unique_ptr<QMenu> menu = w.Window(kind).PrepareContextMenu(-1);
    QAction* item = menu->findChild<QAction*>(QStringLiteral("menuExport"));
    QVERIFY(item && item->isEnabled());
    item->trigger();
}

}  // namespace

class ListFindExportTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { test::ForgetListRects(); }

    void aTypedArabicWordLeavesTheMatchingRowsAndEscBringsAllBack() {
        DemoListWindows w;
        w.Focus(kTv);
        const Names all = w.Names(kTv);
        const Names expected = Containing(all, "النيل");
        QVERIFY(!expected.empty());
        Find(w, kTv, QStringLiteral("النيل"));
        QVERIFY(w.Window(kTv).FindField()->hasFocus());
        QCOMPARE(w.Names(kTv), expected);

        // Esc closes the find, not the window, and shows every row.
        QTest::keyClick(w.Window(kTv).FindField(), Qt::Key_Escape);
        QVERIFY(!w.Window(kTv).FindField()->isVisible());
        QVERIFY(w.Window(kTv).isVisible() && w.View(kTv).hasFocus());
        QCOMPARE(w.Names(kTv), all);

        // The database given again (a save, a transfer) shows every row.
        Find(w, kTv, QStringLiteral("News"));
        QVERIFY(w.Rows(kTv) < static_cast<int>(all.size()));
        w.Window(kTv).SetDatabase(w.db.get());
        w.Window(kTv).RefreshList();
        QVERIFY(w.Window(kTv).FindField()->isHidden());
        QCOMPARE(w.Names(kTv), all);

        // Satellites have no find; the favourite groups neither.
        for (int kind : {kSatellite, kFavorite}) {
            QTest::keyClick(&w.View(kind), Qt::Key_F, Qt::ControlModifier);
            QVERIFY(!w.Window(kind).FindField()->isVisible());
        }
    }

    void exportWritesTheRowsShownOrAllOfTheKind() {
        DemoListWindows w;
        QTemporaryDir dir;
        Find(w, kTv, QStringLiteral("News"));
        const int shown = w.Rows(kTv);
        const int all = w.db->Count(kTv);
        QVERIFY(shown > 0 && shown < all);
        {
            test::MessageBoxAnswerer answerer({QMessageBox::Yes});
            Export(w, kTv, dir.filePath("shown.csv"));
            QVERIFY(
                answerer.SawPart(QStringLiteral("shows %1 of the %2 rows").arg(shown).arg(all)));
        }
        const QStringList lines = Lines(dir.filePath("shown.csv"));
        QCOMPARE(lines.size(), 1 + shown);
        QVERIFY(lines.last().contains(QString::fromStdString(w.Names(kTv).back())));
        {
            test::MessageBoxAnswerer answerer({QMessageBox::No});
            Export(w, kTv, dir.filePath("all.JSON"));
        }
        QCOMPARE(QJsonDocument::fromJson(test::ReadAll(dir.filePath("all.JSON"))).array().size(),
                 all);
        {
            test::MessageBoxAnswerer answerer({QMessageBox::Cancel});
            Export(w, kTv, dir.filePath("never.csv"));
        }
        QVERIFY(!QFile::exists(dir.filePath("never.csv")));

        // A list shown whole is exported without asking; favourite groups too.
        {
            test::MessageBoxAnswerer answerer;
            Export(w, kFavorite, dir.filePath("groups.csv"));
            QVERIFY(answerer.seen().empty());
        }
        QCOMPARE(Lines(dir.filePath("groups.csv")).size(), 1 + 16);
    }

    void aFailedExportSaysWhy() {
        DemoListWindows w;
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder.csv"));
        test::MessageBoxAnswerer answerer;
        Export(w, kRadio, dir.filePath("folder.csv"));
        const QString told =
            "The list could not be exported to " + dir.filePath("folder.csv") + ": ";
        QCOMPARE(answerer.seen().size(), size_t(1));
        QCOMPARE(answerer.seen()[0].caption, QString("Export"));
        // The reason follows.
        QVERIFY2(answerer.seen()[0].text.startsWith(told) &&
                     answerer.seen()[0].text.size() > told.size(),
                 qPrintable(answerer.seen()[0].text));
    }
};

QTEST_MAIN(ListFindExportTest)
#include "list_find_export_test.moc"
