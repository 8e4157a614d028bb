// The dialogs that bring outside data in: the Update preview changes nothing
// before OK and applies only the checked rows as one undo step; the Merge
// report gives the counts, and a merge that would overflow changes nothing.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "app/data/data_commands.h"
#include "app/data/update_preview_dialog.h"
#include "files/database_file.h"
#include "model/demo_database.h"
#include "model/second_gen_database.h"
#include "model/second_gen_records.h"
#include "tests/app/support/gui_test_support.h"
#include "tests/app/support/message_box_answerer.h"

using namespace brondavel;
using namespace brondavel::test;

namespace {

std::vector<uint8_t> Image(const DatabaseEngine& db) {
    std::vector<uint8_t> image(db.layout().ImageSize());
    db.RebuildImage(image);
    return image;
}

std::array<int, 4> Counts(const DatabaseEngine& db) {
    return {db.list(0).Count(), db.list(1).Count(), db.list(2).Count(), db.list(3).Count()};
}

void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

// Whether the satellite has a transponder on `frequency` (at `symbolRate`,
// unless 0).
bool HasTransponder(const DatabaseEngine& db, uint16_t satellite, uint32_t frequency,
                    uint32_t symbolRate = 0) {
    for (const Record& r : db.list(kTransponder).records()) {
        const auto t = As<gen2::TransponderRecord>(r);
        if (t.satelliteRef() == satellite && t.frequency() == frequency &&
            (!symbolRate || t.symbolRate() == symbolRate))
            return true;
    }
    return false;
}

// The second-generation demo written to `path`, its channels renamed and
// renumbered so that none matches a channel of the first seed's demo.
void WriteOtherDemo(const QString& path, const DemoSize& size) {
    const std::unique_ptr<DatabaseFile> file = MakeDatabaseFile(path.toStdString(), 1, 3, 2);
    QVERIFY(file);
    DatabaseEngine& db = file->db();
    FillSecondGenDemo(db, size, 2);
    std::vector<Record> tv = db.list(kTv).records();
    for (size_t i = 0; i < tv.size(); ++i) {
        auto c = As<gen2::ServiceRecord>(tv[i]);
        c.setName("X" + std::to_string(i));
        c.setServiceId(static_cast<uint16_t>(50000 + i));
        tv[i] = c.ToRecord();
    }
    QVERIFY(db.RearrangeList(kTv, tv, "Unique") == 1);
    QVERIFY(file->Save(path.toStdString()));
}

}  // namespace

class DataDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void updatePreviewAppliesOnlyTheCheckedRowsAsOneStep() {
        const std::unique_ptr<DatabaseEngine> db = DemoDatabaseFor(1);
        const uint16_t satellite = db->list(kSatellite).IdOfRow(0);
        gen2::TransponderRecord known;
        for (const Record& r : db->list(kTransponder).records())
            if (As<gen2::TransponderRecord>(r).satelliteRef() == satellite)
                known = As<gen2::TransponderRecord>(r);
        const char polarisation = known.polarisation() == 1 ? 'V' : 'H';
        const TransponderTable table{
            .name = "Table",
            .source = "table.xml",
            .transponders = {{known.frequency(), known.symbolRate() + 1000, polarisation, 3, false},
                             {12719, 22000, 'H', 3, false},
                             {12723, 22000, 'V', 3, false},
                             {12731, 22000, 'H', 3, true}}};
        const std::vector<uint8_t> before = Image(*db);
        const int transponders = db->list(kTransponder).Count();
        const std::string undoBefore = db->UndoLabel();

        UpdatePreviewDialog dialog(*db, satellite, {table});
        auto* s2 = dialog.findChild<QCheckBox*>("updateIncludeS2");
        s2->setChecked(true);
        QCOMPARE(dialog.plan().additions.size(), size_t{3});
        s2->setChecked(false);
        QCOMPARE(dialog.plan().additions.size(), size_t{2});
        QCOMPARE(dialog.plan().corrections.size(), size_t{1});
        auto* tree = dialog.findChild<QTreeWidget*>("updateChanges");
        tree->topLevelItem(0)->child(1)->setCheckState(0, Qt::Unchecked);  // 12723 V
        QVERIFY(Image(*db) == before);
        QCOMPARE(db->UndoLabel(), undoBefore);
        Press(dialog, QDialogButtonBox::Ok);
        QCOMPARE(db->list(kTransponder).Count(), transponders + 1);
        QVERIFY(HasTransponder(*db, satellite, 12719));
        QVERIFY(!HasTransponder(*db, satellite, 12723));
        QVERIFY(HasTransponder(*db, satellite, known.frequency(), known.symbolRate() + 1000));
        QCOMPARE(db->UndoLabel(), std::string("Update Transponders"));
        db->Undo({});
        QVERIFY(Image(*db) == before);
    }

    void mergeReportsTheCountsAndAnOverflowChangesNothing() {
        QTemporaryDir dir;
        const QString small = dir.filePath("small.ZCS");
        WriteOtherDemo(small, {2, 3, 20, 5});
        const std::unique_ptr<DatabaseEngine> db = DemoDatabaseFor(2);  // the other generation
        const std::array<int, 4> before = Counts(*db);
        {
            OnNextModal([](QWidget* w) { Press(*static_cast<QDialog*>(w), QDialogButtonBox::Ok); });
            MessageBoxAnswerer boxes;
            QVERIFY(MergeFromFile(nullptr, *db, small));
            QCOMPARE(boxes.seen().size(), size_t{1});
            const QString report = boxes.seen()[0].text;
            QCOMPARE(Counts(*db)[kTv] - before[kTv], 20);
            QVERIFY2(report.contains("TV channels: 20 added"), qPrintable(report));
        }

        const QString large = dir.filePath("large.ZCS");
        WriteOtherDemo(large, {1, 1, 1500, 10});
        SecondGenDatabase full;
        FillSecondGenDemo(full, {1, 1, 3000, 10}, 1);
        const std::vector<uint8_t> fullBefore = Image(full);
        OnNextModal([](QWidget* w) { Press(*static_cast<QDialog*>(w), QDialogButtonBox::Ok); });
        MessageBoxAnswerer boxes;
        QVERIFY(!MergeFromFile(nullptr, full, large));
        QVERIFY(boxes.SawOnly("Error", "TV channel list") && boxes.SawPart("4000"));
        QVERIFY(Image(full) == fullBefore);
        QCOMPARE(full.UndoLabel(), std::string());
    }

    // Save reference list asks whose order it writes; Cancel writes nothing.
    void referenceListKindIsAsked() {
        auto pick = [](const char* text) {
            OnNextModal([text](QWidget* w) {
                for (QPushButton* b : w->findChildren<QPushButton*>())
                    if (b->text().remove('&') == text) b->click();
            });
            return AskReferenceKind(nullptr);
        };
        QCOMPARE(pick("Radio"), std::optional<int>(kRadio));
        QCOMPARE(pick("Cancel"), std::optional<int>());
    }
};

QTEST_MAIN(DataDialogsTest)
#include "data_dialogs_test.moc"
