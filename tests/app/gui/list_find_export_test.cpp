// Find (Ctrl+F) narrowing a list through the database, beside the satellite
// click, and "Export..." of the rows shown or of the whole kind.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
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

        QTest::keyClick(w.Window(kTv).FindField(), Qt::Key_Escape);
        QVERIFY(!w.Window(kTv).FindField()->isVisible());
        QVERIFY(w.Window(kTv).FindField()->text().isEmpty());
        QVERIFY(w.Window(kTv).isVisible());
        QVERIFY(w.View(kTv).hasFocus());
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

    void findAndASatelliteClickBothHold() {
        DemoListWindows w;
        w.Window(kSatellite).ClickRow(1);
        const Names onSatellite = w.Names(kTv);
        const Names expected = Containing(onSatellite, "News");
        QVERIFY(!expected.empty());
        QVERIFY(expected.size() < onSatellite.size());
        Find(w, kTv, QStringLiteral("news"));
        QCOMPARE(w.Names(kTv), expected);
        QVERIFY(expected.size() < Containing(w.AllNames(kTv), "News").size());

        // A click with the find on narrows by both as well.
        w.Window(kSatellite).ClickRow(2);
        const Names found = w.Names(kTv);
        QVERIFY(!found.empty());
        QTest::keyClick(w.Window(kTv).FindField(), Qt::Key_Escape);
        QCOMPARE(found, Containing(w.Names(kTv), "News"));
        QVERIFY(found.size() < w.Names(kTv).size());
    }

    void deleteInAFoundListDeletesTheRowsShown() {
        DemoListWindows w;
        const Names before = w.AllNames(kTv);
        Find(w, kTv, QStringLiteral("Sport"));
        const Names found = w.Names(kTv);
        QVERIFY(found.size() > 3);
        w.Select(kTv, {0, 2});
        QTest::keyClick(&w.View(kTv), Qt::Key_Delete);
        Names expected = before;
        std::erase(expected, found[0]);
        std::erase(expected, found[2]);
        QCOMPARE(expected.size(), before.size() - 2);  // the names were unique
        QCOMPARE(w.AllNames(kTv), expected);
        Names left = found;
        left.erase(left.begin() + 2);
        left.erase(left.begin());
        QCOMPARE(w.Names(kTv), left);
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
        QVERIFY(lines[0].startsWith("row,id,"));
        for (int row = 0; row < shown; ++row)
            QVERIFY2(lines[1 + row].contains(QString::fromStdString(w.Names(kTv)[row])),
                     qPrintable(lines[1 + row]));
        {
            test::MessageBoxAnswerer answerer({QMessageBox::No});
            Export(w, kTv, dir.filePath("all.JSON"));
        }
        QFile json(dir.filePath("all.JSON"));
        QVERIFY(json.open(QIODevice::ReadOnly));
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(json.readAll(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(document.array().size(), all);
        QCOMPARE(
            document.array()[4].toObject()["fields"].toObject()["name"].toString().toStdString(),
            w.AllNames(kTv)[4]);
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
        QCOMPARE(answerer.seen().size(), size_t(1));
        QCOMPARE(answerer.seen()[0].caption, QString("Export"));
        QVERIFY2(answerer.seen()[0].text.startsWith("The list could not be exported to " +
                                                    dir.filePath("folder.csv") + ": "),
                 qPrintable(answerer.seen()[0].text));
        QVERIFY(answerer.seen()[0].text.size() >
                ("The list could not be exported to " + dir.filePath("folder.csv") + ": ").size());
    }
};

QTEST_MAIN(ListFindExportTest)
#include "list_find_export_test.moc"
