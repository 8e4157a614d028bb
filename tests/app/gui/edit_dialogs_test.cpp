// The satellite, transponder and channel dialogs on demo databases of both
// receiver generations: what they show, what Save stores (and leaves alone),
// names, new records, and the in-place audio list.
#include "app/edit/edit_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app/edit/audio_list_editor.h"
#include "model/demo_database.h"
#include "model/first_gen_database.h"
#include "model/memory_controls.h"
#include "model/record_rename.h"
#include "model/second_gen_database.h"
#include "tests/app/gui/list_windows_fixture.h"
#include "tests/app/support/gui_test_support.h"
#include "tests/app/support/message_box_answerer.h"

using namespace brondavel;
using brondavel::app::AudioListEditor;
using brondavel::app::CreateEditDialog;
using brondavel::app::RecordDialog;
using brondavel::test::MessageBoxAnswerer;
using brondavel::test::OnNextModal;

namespace {

constexpr int kFirstModel = 2, kSecondModel = 0;

// A demo database with every list filled, so rows are positions in views.
struct Demo {
    std::unique_ptr<DatabaseEngine> db;
    MemoryListControl lists[4];

    explicit Demo(int model) : db(brondavel::test::DemoDatabaseFor(model)) {
        for (int kind = 0; kind < 4; ++kind) db->Refresh(kind, &lists[kind]);
    }
    template <typename Typed>
    Typed Row(int kind, int row) {
        Typed typed;
        db->GetRowData(kind, row, typed.stored);
        return typed;
    }
};

// Refuses every store; counts the attempts.
class RefusingDatabase : public FirstGenDatabase {
  public:
    int attempts = 0;
    int StoreRecord(int, int, std::span<const uint8_t>) override { return ++attempts, 0; }
};

template <typename T>
T* Find(QWidget* dialog, const char* id) {
    T* widget = dialog->findChild<T*>(QString::fromLatin1(id));
    if (!widget) qWarning("no control %s", id);
    return widget;
}

// Picks an entry as the user would, so the dialog reacts to the choice.
void Pick(QWidget* dialog, const char* id, const QString& text) {
    auto* combo = Find<QComboBox>(dialog, id);
    QVERIFY(combo);
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// The line edit the PID cell opens for in-place editing.
QLineEdit* OpenCellEditor(AudioListEditor* audio, QTableWidgetItem* cell) {
    audio->editItem(cell);
    for (QLineEdit* edit : audio->viewport()->findChildren<QLineEdit*>())
        if (edit->isVisible()) return edit;
    return nullptr;
}

std::unique_ptr<RecordDialog> Open(int kind, DatabaseEngine* db, int row) {
    auto dialog = CreateEditDialog(nullptr, kind, db, row);
    if (dialog) dialog->show();
    return dialog;
}

// The stored bytes of every record of a kind, in id order.
std::vector<std::vector<uint8_t>> Bytes(DatabaseEngine& db, int kind) {
    std::vector<std::vector<uint8_t>> all;
    for (const Record& r : db.ExportRecords(kind))
        all.emplace_back(r.stored().begin(), r.stored().end());
    return all;
}

// Answers the next dialog with Save, after `first` has had its turn.
void SaveOnNextModal(std::function<void(QWidget*)> first = [](QWidget*) {}) {
    OnNextModal([first](QWidget* modal) {
        first(modal);
        if (auto* save = modal->findChild<QPushButton*>(QStringLiteral("idSave"))) save->click();
        modal->close();
    });
}

// Clicks Save on the open dialog; true when the dialog ended with it.
bool Save(RecordDialog* dialog) {
    if (!dialog->isVisible()) return false;
    dialog->setResult(0);
    Find<QPushButton>(dialog, "idSave")->click();
    return dialog->result() == QDialog::Accepted && !dialog->isVisible();
}

}  // namespace

class EditDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    // What the form maps is the forms' business; here the controls' own rules:
    // the 12 V switch of the second generation only, the LNB type greying the
    // frequencies and the tone, the DiSEqC version refilling the ports.
    void satelliteControlsFollowTheirChoices() {
        for (int model : {kFirstModel, kSecondModel}) {
            Demo demo(model);
            auto dialog = Open(kSatellite, demo.db.get(), 0);
            const bool second = model == kSecondModel;
            QCOMPARE(Find<QComboBox>(dialog.get(), "idSwitch12V")->isVisible(), second);
            auto* tone = Find<QComboBox>(dialog.get(), "idTone22k");
            auto* low = Find<QComboBox>(dialog.get(), "idLocalFreqLow");
            Pick(dialog.get(), "idLnbType", "Single");
            QVERIFY(tone->isEnabled() && !low->isEnabled());
            Pick(dialog.get(), "idLnbType", "Universal");
            QVERIFY(!tone->isEnabled() && low->isEnabled());
            if (!second) {
                QVERIFY(Save(dialog.get()));
                continue;
            }
            auto* ports = Find<QComboBox>(dialog.get(), "idDiseqcPort");
            QCOMPARE(ports->count(), 5);
            Pick(dialog.get(), "idDiseqcVersion", "V1.1");
            QCOMPARE(ports->count(), 17);
            Pick(dialog.get(), "idDiseqcPort", "P - 16");
            Pick(dialog.get(), "idSwitch12V", "12 V");
            QVERIFY(Save(dialog.get()));
            const auto s = demo.Row<gen2::SatelliteRecord>(kSatellite, 0);
            QCOMPARE(s.diseqcPort(), 16);
            QCOMPARE(s.switch12V(), 1);
        }
    }

    void audioListInsertAndDelete() {
        Demo demo(kFirstModel);
        auto c = demo.Row<ServiceRecord>(kTv, 1);
        QVERIFY(!c.audioEmpty(0) && c.audioEmpty(1));
        auto dialog = Open(kTv, demo.db.get(), 1);
        auto* audio = Find<AudioListEditor>(dialog.get(), "idAudioList");
        QCOMPARE(audio->rowCount(), 1);

        audio->clearSelection();
        std::unique_ptr<QMenu> menu(audio->CreateContextMenu(nullptr));
        QVERIFY(!menu->actions()[1]->isEnabled());  // Delete needs a selection
        menu->actions()[0]->trigger();
        QCOMPARE(audio->currentRow(), 1);
        QVERIFY(audio->InsertAudioRow() && audio->InsertAudioRow());
        QVERIFY(!audio->InsertAudioRow());  // a fifth entry has no slot
        QCOMPARE(audio->rowCount(), 4);

        audio->item(2, AudioListEditor::kPidColumn)->setText(QStringLiteral("222"));
        audio->item(2, AudioListEditor::kAc3Column)->setText(QStringLiteral("O"));
        audio->item(2, AudioListEditor::kLanguageColumn)->setText(QStringLiteral("GREEK"));
        audio->clearSelection();
        audio->selectRow(0);
        audio->selectionModel()->select(audio->model()->index(3, 1),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        std::unique_ptr<QMenu> second(audio->CreateContextMenu(nullptr));
        QVERIFY(second->actions()[1]->isEnabled());
        second->actions()[1]->trigger();
        QCOMPARE(audio->rowCount(), 2);
        QVERIFY(Save(dialog.get()));

        // The rows left, in order; how rows become slots is the forms' business.
        c = demo.Row<ServiceRecord>(kTv, 1);
        QCOMPARE(int(c.audio(1)), 222 | 0x4000);
        QVERIFY(c.audioEmpty(2) && c.audioEmpty(3));
    }

    void invalidPidTextIsReset() {
        Demo demo(kFirstModel);
        auto dialog = Open(kTv, demo.db.get(), 0);
        auto* audio = Find<AudioListEditor>(dialog.get(), "idAudioList");
        QVERIFY(audio->rowCount() > 0);
        QTableWidgetItem* cell = audio->item(0, AudioListEditor::kPidColumn);
        audio->setCurrentItem(cell);
        QLineEdit* editor = OpenCellEditor(audio, cell);
        QVERIFY(editor);
        editor->clear();
        QTest::keyClicks(editor, "4a5 6");
        QCOMPARE(editor->text(), QStringLiteral("456"));  // digits only

        editor->clear();
        MessageBoxAnswerer boxes;
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(boxes.Saw("Error", "Invalid text entered. The text will be reset"));
        QCOMPARE(cell->text(), QString());

        // A good PID finished with Enter is what Save stores.
        editor = OpenCellEditor(audio, cell);
        QVERIFY(editor);
        QTest::keyClicks(editor, "1234");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cell->text(), QStringLiteral("1234"));
        QVERIFY(Save(dialog.get()));
        QCOMPARE(int(demo.Row<ServiceRecord>(kTv, 0).audioPid(0)), 1234);
    }

    void saveWithoutEditsChangesNothing_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("row");
        for (int model : {kFirstModel, kSecondModel})
            for (int kind : {kSatellite, kTransponder, kTv, kRadio})
                QTest::addRow("%s kind %d", model == kFirstModel ? "first" : "second", kind)
                    << model << kind << 4;
    }

    // Every byte outside the name gets a pattern no dialog would write: Save
    // without an edit must store none of it anew.
    void saveWithoutEditsChangesNothing() {
        QFETCH(int, model);
        QFETCH(int, kind);
        QFETCH(int, row);
        Demo demo(model);
        Record record;
        QVERIFY(demo.db->RowRecord(kind, row, record));
        const size_t nameStart = demo.db->layout().NameOffset(kind);
        const size_t nameEnd = nameStart + demo.db->layout().NameSize(kind);
        for (size_t i = 2; i < record.size; ++i)
            if (i < nameStart || i >= nameEnd)
                record.data()[i] = static_cast<uint8_t>(i * 37 + 0xA5);
        QVERIFY(demo.db->StoreRecord(kind, row, record.stored()));
        demo.db->MarkSaved();
        const auto before = Bytes(*demo.db, kind);
        const std::string undo = demo.db->UndoLabel();

        auto dialog = Open(kind, demo.db.get(), row);
        QVERIFY(Save(dialog.get()));
        QCOMPARE(Bytes(*demo.db, kind), before);
        QCOMPARE(demo.db->modified, 0u);
        QCOMPARE(demo.db->UndoLabel(), undo);
    }

    // A refused name keeps the dialog open and stores nothing; a name the
    // box took (typed key by key, it stops where the field is full) is
    // stored whole, without a word.
    void nameRules_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("told");
        const QString empty = QStringLiteral("A name cannot be empty.");
        const QString arabic = QStringLiteral(
            "\u0642\u0646\u0627\u0629 \u0627\u0644\u0646\u064A\u0644 "
            "\u0627\u0644\u0623\u0648\u0644\u0649 "
            "\u0627\u0644\u0641\u0636\u0627\u0626\u064A\u0629");
        QTest::newRow("first satellite empty") << kFirstModel << int(kSatellite) << "" << empty;
        QTest::newRow("second channel replaced")
            << kSecondModel << int(kTv) << QStringLiteral("\u4E2D TV")
            << QStringLiteral("The name is stored as \"? TV\" (characters replaced).");
        QTest::newRow("first channel full") << kFirstModel << int(kTv) << arabic << "";
    }

    void nameRules() {
        QFETCH(int, model);
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(QString, told);
        Demo demo(model);
        const auto before = Bytes(*demo.db, kind);
        auto dialog = Open(kind, demo.db.get(), 1);
        auto* name = Find<QLineEdit>(dialog.get(), "idName");
        name->clear();
        for (QChar ch : typed) name->insert(QString(ch));
        MessageBoxAnswerer boxes;
        QCOMPARE(Save(dialog.get()), !typed.isEmpty());
        QCOMPARE(boxes.seen().size(), size_t(told.isEmpty() ? 0 : 1));
        if (!told.isEmpty()) QCOMPARE(boxes.seen()[0].text, told);
        if (typed.isEmpty()) QCOMPARE(Bytes(*demo.db, kind), before);
        if (!told.isEmpty()) return;
        QVERIFY(name->text().size() < typed.size());
        QCOMPARE(QString::fromStdString(FullName(*demo.db, kind, 1)), name->text());
    }

    // The panel's model setting says first generation while the windows show a
    // second-generation database: the dialog follows the database.
    void layoutComesFromTheDatabase() {
        Demo demo(kSecondModel);
        auto c = demo.Row<gen2::ServiceRecord>(kTv, 0);
        c.setFavoriteMask(1u << 2);
        QVERIFY(demo.db->StoreRecord(kTv, 0, c.stored));
        test::ListWindows windows;  // made for the first generation
        windows.Show(demo.db.get());
        bool groupTwoShown = false;
        SaveOnNextModal([&groupTwoShown](QWidget* modal) {
            if (auto* box = modal->findChild<QCheckBox*>(QStringLiteral("idFavorite2")))
                groupTwoShown = box->isChecked();
            if (auto* lock = modal->findChild<QCheckBox*>(QStringLiteral("idChannelLock")))
                lock->toggle();
        });
        windows.Window(kTv).EditRow(0);
        QVERIFY(groupTwoShown);
        QCOMPARE(int(demo.Row<gen2::ServiceRecord>(kTv, 0).favoriteMask()), 1 << 2);
        QCOMPARE(demo.Row<gen2::ServiceRecord>(kTv, 0).locked(), !c.locked());

        // A new record is selected alone and in view after Save.
        SaveOnNextModal();
        windows.Window(kSatellite).NewRecord();
        const int added = demo.db->list(kSatellite)
                              .RowOfId(static_cast<uint16_t>(demo.db->Count(kSatellite) - 1));
        QCOMPARE(windows.Control(kSatellite).SelectedRows(), std::vector<int>{added});
    }

    void newRecordNeedsAParent() {
        FirstGenDatabase db;
        for (int kind : {kTransponder, kTv}) {
            MessageBoxAnswerer boxes;
            QVERIFY(!app::RunEditDialog(nullptr, kind, &db, kNoRow).saved);
            QVERIFY(
                boxes.SawPart(kind == kTv ? "Add a transponder first" : "Add a satellite first"));
            QCOMPARE(db.Count(kind), 0);
        }
    }

    // Clicking a satellite shows its transponders, clicking a transponder its
    // channels: new records belong to what is shown.
    void newRecordsGoUnderTheParentShown() {
        for (int model : {kFirstModel, kSecondModel}) {
            Demo demo(model);
            ListControls lists{&demo.lists[0], &demo.lists[1], &demo.lists[2], &demo.lists[3]};
            auto showChildrenOf = [&demo, &lists](int kind, uint16_t id) {
                demo.db->Refresh(kind, &demo.lists[kind]);
                demo.db->SelectionChanged(kind, demo.db->list(kind).RowOfId(id), lists);
            };
            auto satellite = Open(kSatellite, demo.db.get(), kNoRow);
            QVERIFY(Save(satellite.get()));
            showChildrenOf(kSatellite, *satellite->newRecordId());
            auto transponder = Open(kTransponder, demo.db.get(), kNoRow);
            QCOMPARE(Find<QComboBox>(transponder.get(), "idSatellite")->currentIndex(),
                     int(*satellite->newRecordId()));
            QVERIFY(Save(transponder.get()));
            const int transponderId = *transponder->newRecordId();
            showChildrenOf(kTransponder, static_cast<uint16_t>(transponderId));
            auto channel = Open(kTv, demo.db.get(), kNoRow);
            QCOMPARE(Find<QComboBox>(channel.get(), "idTransponder")->currentIndex(),
                     transponderId);
            QVERIFY(Save(channel.get()));

            // An existing channel shows its own transponder; a new choice moves it.
            demo.db->ClearAllKeyFilters(0, lists);
            Record radio;
            QVERIFY(demo.db->RowRecord(kRadio, 2, radio));
            auto moved = Open(kRadio, demo.db.get(), 2);
            auto* choice = Find<QComboBox>(moved.get(), "idTransponder");
            QCOMPARE(choice->currentIndex(), int(demo.db->layout().TransponderRefOf(radio)));
            choice->setCurrentIndex(transponderId);
            QVERIFY(Save(moved.get()));
            QVERIFY(demo.db->RowRecord(kRadio, 2, radio));
            QCOMPARE(int(demo.db->layout().TransponderRefOf(radio)), transponderId);
        }
    }

    void refusedStoreKeepsTheDialogOpen() {
        RefusingDatabase db;
        FillFirstGenDemo(db);
        MemoryListControl list;
        db.Refresh(kTransponder, &list);
        auto dialog = Open(kTransponder, &db, 0);
        auto* name = Find<QLineEdit>(dialog.get(), "idName");
        name->setText("Kept");
        MessageBoxAnswerer boxes;
        QVERIFY(!Save(dialog.get()));
        QVERIFY(boxes.SawPart("The record was not stored"));
        QCOMPARE(db.attempts, 1);
        QCOMPARE(name->text(), QStringLiteral("Kept"));
    }
};

QTEST_MAIN(EditDialogsTest)
#include "edit_dialogs_test.moc"
