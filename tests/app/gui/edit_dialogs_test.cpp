// The satellite, transponder and channel dialogs on demo databases of both
// receiver generations: what they show, what Save stores, and the in-place
// audio list.
#include "app/edit/edit_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app/edit/audio_list_editor.h"
#include "model/demo_database.h"
#include "model/first_gen_database.h"
#include "model/memory_controls.h"
#include "tests/app/support/gui_test_support.h"
#include "text/conexant_text.h"

using namespace brondavel;
using brondavel::app::AudioListEditor;
using brondavel::app::CreateEditDialog;
using brondavel::app::RecordDialog;
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
    template <typename Typed>
    void Put(int kind, int row, const Typed& typed) {
        QVERIFY(db->StoreRecord(kind, row, typed.stored));
    }
};

// Refuses every store; counts the attempts.
class RefusingDatabase : public FirstGenDatabase {
  public:
    int attempts = 0;
    bool refuse = true;
    int StoreRecord(int kind, int row, std::span<const uint8_t> stored) override {
        ++attempts;
        return refuse ? 0 : FirstGenDatabase::StoreRecord(kind, row, stored);
    }
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

void SetText(QWidget* dialog, const char* id, const QString& text) {
    auto* edit = Find<QLineEdit>(dialog, id);
    QVERIFY(edit);
    edit->setText(text);
}

QString Shown(QWidget* dialog, const char* id) {
    if (auto* combo = dialog->findChild<QComboBox*>(QString::fromLatin1(id)))
        return combo->currentText();
    if (auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(id))) return edit->text();
    return QStringLiteral("<none>");
}

// The line edit the PID cell opens for in-place editing.
QLineEdit* OpenCellEditor(AudioListEditor* audio, QTableWidgetItem* cell) {
    audio->editItem(cell);
    for (QLineEdit* edit : audio->viewport()->findChildren<QLineEdit*>())
        if (edit->isVisible()) return edit;
    return nullptr;
}

std::unique_ptr<RecordDialog> Open(int model, int kind, ChannelDatabase* db, int row) {
    auto dialog = CreateEditDialog(nullptr, model, kind, db, row);
    if (dialog) dialog->show();
    return dialog;
}

// Clicks Save; true when the dialog ended with it.
bool Save(RecordDialog* dialog) {
    dialog->setResult(0);
    Find<QPushButton>(dialog, "idSave")->click();
    return dialog->result() == QDialog::Accepted && !dialog->isVisible();
}

}  // namespace

class EditDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void satelliteLongitudeEntry_data();
    void satelliteLongitudeEntry();
    void satelliteShowsBothGenerations();
    void lnbTypePresetsAndEnabling();
    void diseqcVersionRefillsPorts();
    void transponderFieldsAndNewRecord();
    void newChannelStartsOnTheFirstTransponder();
    void audioListShowsOnlyRealEntries();
    void audioListInsertAndDelete();
    void invalidPidTextIsReset();
    void audioModeIsStoredInTheFirstGeneration();
    void accessAndFavouriteBoxes();
    void arabicNameStoredAsTheCoreStoresIt();
    void refusedStoreKeepsTheDialogOpen();
    void dialogsThatDoNotOpen();
    void runEditDialogReportsSave();
};

void EditDialogsTest::satelliteLongitudeEntry_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("degree");
    QTest::addColumn<QString>("side");
    QTest::addColumn<int>("stored");
    for (int model : {kFirstModel, kSecondModel}) {
        const QByteArray gen = model == kFirstModel ? "first " : "second ";
        QTest::newRow(gen + "13 East") << model << "13"
                                       << "East" << 130;
        QTest::newRow(gen + "13.5 Wast") << model << "13.5"
                                         << "Wast" << -135;
        QTest::newRow(gen + "400 East") << model << "400"
                                        << "East" << 0;
        QTest::newRow(gen + "360 Wast") << model << "360"
                                        << "Wast" << -3600;
    }
}

void EditDialogsTest::satelliteLongitudeEntry() {
    QFETCH(int, model);
    QFETCH(QString, degree);
    QFETCH(QString, side);
    QFETCH(int, stored);
    Demo demo(model);
    auto dialog = Open(model, kSatellite, demo.db.get(), 1);
    SetText(dialog.get(), "idDegree", degree);
    Pick(dialog.get(), "idEastWest", side);
    QVERIFY(Save(dialog.get()));
    const int longitude = model == kFirstModel
                              ? demo.Row<SatelliteRecord>(kSatellite, 1).longitude()
                              : demo.Row<gen2::SatelliteRecord>(kSatellite, 1).longitude();
    QCOMPARE(longitude, stored);
}

void EditDialogsTest::satelliteShowsBothGenerations() {
    for (int model : {kFirstModel, kSecondModel}) {
        Demo demo(model);
        // Nilesat, at 7.0 West in the demo.
        auto dialog = Open(model, kSatellite, demo.db.get(), 2);
        QCOMPARE(Shown(dialog.get(), "idName"), QStringLiteral("Nilesat"));
        QCOMPARE(Shown(dialog.get(), "idDegree"), QStringLiteral("7.0"));
        QCOMPARE(Shown(dialog.get(), "idEastWest"), QStringLiteral("Wast"));
        QCOMPARE(Shown(dialog.get(), "idTone22k"), QStringLiteral("Auto"));
        QCOMPARE(Shown(dialog.get(), "idDiseqcPort"), QStringLiteral("P - 3"));
        // The first generation has no 12 V switch.
        const bool second = model == kSecondModel;
        QCOMPARE(Find<QComboBox>(dialog.get(), "idSwitch12V")->isVisible(), second);
        QCOMPARE(Find<QLabel>(dialog.get(), "idSwitch12VLabel")->isVisible(), second);
        if (second) {
            Pick(dialog.get(), "idSwitch12V", "12 V");
            QVERIFY(Save(dialog.get()));
            QCOMPARE(demo.Row<gen2::SatelliteRecord>(kSatellite, 2).switch12V(), 1);
        }
    }
}

void EditDialogsTest::lnbTypePresetsAndEnabling() {
    Demo demo(kFirstModel);
    auto dialog = Open(kFirstModel, kSatellite, demo.db.get(), 0);
    auto* tone = Find<QComboBox>(dialog.get(), "idTone22k");
    auto* low = Find<QComboBox>(dialog.get(), "idLocalFreqLow");
    // The demo satellite is Universal: tone greyed from the start.
    QVERIFY(!tone->isEnabled());
    QVERIFY(low->isEnabled());

    Pick(dialog.get(), "idLnbType", "Single");
    QCOMPARE(Shown(dialog.get(), "idLocalFreqHigh"), QStringLiteral("5150"));
    QCOMPARE(Shown(dialog.get(), "idLocalFreqLow"), QStringLiteral("5150"));
    QCOMPARE(tone->currentText(), QStringLiteral("OFF"));
    QVERIFY(tone->isEnabled());
    QVERIFY(!low->isEnabled());

    Pick(dialog.get(), "idLnbType", "OCS");
    QCOMPARE(Shown(dialog.get(), "idLocalFreqLow"), QStringLiteral("5750"));
    QVERIFY(tone->isEnabled() && low->isEnabled());

    Pick(dialog.get(), "idLnbType", "Universal");
    QCOMPARE(Shown(dialog.get(), "idLocalFreqHigh"), QStringLiteral("10600"));
    QCOMPARE(Shown(dialog.get(), "idLocalFreqLow"), QStringLiteral("9750"));
    QCOMPARE(tone->currentText(), QStringLiteral("Auto"));
    QVERIFY(!tone->isEnabled());

    Pick(dialog.get(), "idLnbType", "Single");
    Pick(dialog.get(), "idLnbPower", "ON");
    QVERIFY(Save(dialog.get()));
    const auto s = demo.Row<SatelliteRecord>(kSatellite, 0);
    QCOMPARE(s.lnbType(), 0u);
    QCOMPARE(s.lnbHighFreq(), 5150u);
    QCOMPARE(s.lnbLowFreq(), 5150u);
    QCOMPARE(s.tone22k(), 0u);
    QCOMPARE(s.lnbPower(), 3u);
}

void EditDialogsTest::diseqcVersionRefillsPorts() {
    Demo demo(kSecondModel);
    auto dialog = Open(kSecondModel, kSatellite, demo.db.get(), 0);
    auto* ports = Find<QComboBox>(dialog.get(), "idDiseqcPort");
    QCOMPARE(ports->count(), 5);
    Pick(dialog.get(), "idDiseqcVersion", "V1.1");
    QCOMPARE(ports->count(), 17);
    QCOMPARE(ports->currentText(), QStringLiteral("OFF"));
    Pick(dialog.get(), "idDiseqcPort", "P - 16");
    QVERIFY(Save(dialog.get()));
    const auto s = demo.Row<gen2::SatelliteRecord>(kSatellite, 0);
    QCOMPARE(s.diseqcVersion(), 1);
    QCOMPARE(s.diseqcPort(), 16);
}

void EditDialogsTest::transponderFieldsAndNewRecord() {
    for (int model : {kFirstModel, kSecondModel}) {
        Demo demo(model);
        const int satellites = demo.db->Count(kSatellite);
        const int before = demo.db->Count(kTransponder);
        auto dialog = Open(model, kTransponder, demo.db.get(), kNoRow);
        auto* satellite = Find<QComboBox>(dialog.get(), "idSatellite");
        QCOMPARE(satellite->count(), satellites);
        QCOMPARE(satellite->currentIndex(), 0);
        QCOMPARE(Shown(dialog.get(), "idName"), QStringLiteral("User"));
        QCOMPARE(Shown(dialog.get(), "idPolarization"), QStringLiteral("H"));
        SetText(dialog.get(), "idFrequency", "12 345");
        SetText(dialog.get(), "idSymbolRate", "27500");
        Pick(dialog.get(), "idFec", "5/6");
        QVERIFY(Save(dialog.get()));
        QCOMPARE(demo.db->Count(kTransponder), before + 1);
        const auto stored = demo.db->ExportRecords(kTransponder).back();
        if (model == kFirstModel) {
            const auto t = As<TransponderRecord>(stored);
            QCOMPARE(t.frequency(), 12345u);
            QCOMPARE(t.fec(), 5u);
            QCOMPARE(t.satelliteRef(), 0u);
        } else {
            // The prepared reference is "none"; the pick list's first
            // satellite replaces it.
            const auto t = As<gen2::TransponderRecord>(stored);
            QCOMPARE(t.symbolRate(), 27500u);
            QCOMPARE(t.satelliteRef(), 0);
        }
    }
}

void EditDialogsTest::newChannelStartsOnTheFirstTransponder() {
    Demo demo(kSecondModel);
    auto dialog = Open(kSecondModel, kRadio, demo.db.get(), kNoRow);
    auto* transponder = Find<QComboBox>(dialog.get(), "idTransponder");
    QCOMPARE(transponder->count(), demo.db->Count(kTransponder));
    QCOMPARE(transponder->currentIndex(), 0);
    QCOMPARE(Shown(dialog.get(), "idName"), QStringLiteral("New Channel"));
    QVERIFY(!Find<QComboBox>(dialog.get(), "idSatellite")->isVisible());
    QVERIFY(!Find<QLabel>(dialog.get(), "idSatelliteLabel")->isVisible());

    // An existing channel shows its own transponder; a new choice moves it.
    auto existing = Open(kSecondModel, kTv, demo.db.get(), 3);
    const int ref = demo.Row<gen2::ServiceRecord>(kTv, 3).transponderRef();
    auto* choice = Find<QComboBox>(existing.get(), "idTransponder");
    QCOMPARE(choice->currentIndex(), ref);
    choice->setCurrentIndex(ref == 0 ? 1 : 0);
    QVERIFY(Save(existing.get()));
    QCOMPARE(demo.Row<gen2::ServiceRecord>(kTv, 3).transponderRef(), ref == 0 ? 1 : 0);
}

// Slot 0 PID 0x1FFF, slot 1 PID 101 AC3 language 12, slot 2 PID 0 (with
// the AC3 flag: still empty), slot 3 PID 103 language 7.
template <typename Channel>
void PrepareAudioSlots(Demo& demo) {
    Channel c = demo.Row<Channel>(kTv, 0);
    c.setAudio(0, 0x1FFF);
    c.setAudioPid(1, 101);
    c.setAudioAc3(1, true);
    c.setAudioLanguage(1, 12);
    c.setAudio(2, 0x4000);
    c.setAudioPid(3, 103);
    c.setAudioLanguage(3, 7);
    demo.Put(kTv, 0, c);
}

template <typename Channel>
void CheckSavedAudioSlots(Demo& demo) {
    const Channel c = demo.Row<Channel>(kTv, 0);
    QCOMPARE(int(c.audio(0)), 101 | 0x4000);
    QCOMPARE(int(c.audioLanguage(0)), 8);  // 12 shown as POLISH saves as 8
    QCOMPARE(int(c.audio(1)), 103);
    QCOMPARE(int(c.audioLanguage(1)), 7);
    QCOMPARE(int(c.audio(2)), 0);
    QCOMPARE(int(c.audio(3)), 0);
}

void EditDialogsTest::audioListShowsOnlyRealEntries() {
    for (int model : {kFirstModel, kSecondModel}) {
        Demo demo(model);
        if (model == kFirstModel)
            PrepareAudioSlots<ServiceRecord>(demo);
        else
            PrepareAudioSlots<gen2::ServiceRecord>(demo);
        auto dialog = Open(model, kTv, demo.db.get(), 0);
        auto* audio = Find<AudioListEditor>(dialog.get(), "idAudioList");
        QCOMPARE(audio->rowCount(), 2);
        QCOMPARE(audio->item(0, AudioListEditor::kPidColumn)->text(), QStringLiteral("101"));
        QCOMPARE(audio->item(0, AudioListEditor::kLanguageColumn)->text(),
                 QStringLiteral("POLISH"));
        QCOMPARE(audio->item(0, AudioListEditor::kAc3Column)->text(), QStringLiteral("O"));
        QCOMPARE(audio->item(1, AudioListEditor::kLanguageColumn)->text(), QStringLiteral("DUTCH"));
        QCOMPARE(audio->item(1, AudioListEditor::kAc3Column)->text(), QStringLiteral("X"));
        QVERIFY(audio->isColumnHidden(AudioListEditor::kHiddenColumn));
        QCOMPARE(audio->columnWidth(AudioListEditor::kLanguageColumn), 130);
        QVERIFY(Save(dialog.get()));
        if (model == kFirstModel)
            CheckSavedAudioSlots<ServiceRecord>(demo);
        else
            CheckSavedAudioSlots<gen2::ServiceRecord>(demo);
    }
}

void EditDialogsTest::audioListInsertAndDelete() {
    Demo demo(kFirstModel);
    auto c = demo.Row<ServiceRecord>(kTv, 1);
    QVERIFY(!c.audioEmpty(0) && c.audioEmpty(1));
    auto dialog = Open(kFirstModel, kTv, demo.db.get(), 1);
    auto* audio = Find<AudioListEditor>(dialog.get(), "idAudioList");
    QCOMPARE(audio->rowCount(), 1);

    audio->clearSelection();
    std::unique_ptr<QMenu> menu(audio->CreateContextMenu(nullptr));
    QCOMPARE(menu->actions().size(), 2);
    QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Insert"));
    QVERIFY(!menu->actions()[1]->isEnabled());  // Delete needs a selection

    menu->actions()[0]->trigger();
    QCOMPARE(audio->rowCount(), 2);
    QCOMPARE(audio->item(1, AudioListEditor::kPidColumn)->text(), QStringLiteral("0"));
    QCOMPARE(audio->item(1, AudioListEditor::kLanguageColumn)->text(), QStringLiteral("UNKNOW"));
    QCOMPARE(audio->item(1, AudioListEditor::kAc3Column)->text(), QStringLiteral("X"));
    QCOMPARE(audio->selectionModel()->selectedRows(AudioListEditor::kPidColumn).size(), 1);
    QCOMPARE(audio->currentRow(), 1);
    QVERIFY(audio->InsertAudioRow());
    QVERIFY(audio->InsertAudioRow());
    QCOMPARE(audio->rowCount(), 4);
    // A fifth entry has no slot.
    QVERIFY(!audio->InsertAudioRow());
    QCOMPARE(audio->rowCount(), 4);
    QCOMPARE(audio->currentRow(), 3);

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

    c = demo.Row<ServiceRecord>(kTv, 1);
    QCOMPARE(int(c.audio(0)), 0);  // the inserted "0" row
    QCOMPARE(int(c.audioLanguage(0)), 127);
    QCOMPARE(int(c.audio(1)), 222 | 0x4000);
    QCOMPARE(int(c.audioLanguage(1)), 11);
    QVERIFY(c.audioEmpty(2) && c.audioEmpty(3));
}

void EditDialogsTest::invalidPidTextIsReset() {
    Demo demo(kFirstModel);
    auto dialog = Open(kFirstModel, kTv, demo.db.get(), 0);
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
    QString message;
    OnNextModal([&message](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        message = box->text();
        box->accept();
    });
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(message, QStringLiteral("Invalid text entered. The text will be reset"));
    QCOMPARE(cell->text(), QString());
    // Enter finished the cell, not the dialog.
    QVERIFY(dialog->isVisible());

    // A good PID finished with Enter is what Save stores.
    editor = OpenCellEditor(audio, cell);
    QVERIFY(editor);
    QTest::keyClicks(editor, "1234");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(cell->text(), QStringLiteral("1234"));
    QVERIFY(dialog->isVisible());
    QVERIFY(Save(dialog.get()));
    QCOMPARE(int(demo.Row<ServiceRecord>(kTv, 0).audioPid(0)), 1234);
}

void EditDialogsTest::audioModeIsStoredInTheFirstGeneration() {
    Demo first(kFirstModel);
    auto c = first.Row<ServiceRecord>(kTv, 2);
    c.setAudioMode(1);
    first.Put(kTv, 2, c);
    auto dialog = Open(kFirstModel, kTv, first.db.get(), 2);
    QCOMPARE(Shown(dialog.get(), "idAudioMode"), QStringLiteral("Left"));
    Pick(dialog.get(), "idAudioMode", "Mono");
    QVERIFY(Save(dialog.get()));
    QCOMPARE(first.Row<ServiceRecord>(kTv, 2).audioMode(), 3u);

    // The second generation keeps no mode: always shown as Stereo.
    Demo second(kSecondModel);
    auto other = Open(kSecondModel, kTv, second.db.get(), 2);
    QCOMPARE(Shown(other.get(), "idAudioMode"), QStringLiteral("Stereo"));
}

void EditDialogsTest::accessAndFavouriteBoxes() {
    for (int model : {kFirstModel, kSecondModel}) {
        Demo demo(model);
        auto dialog = Open(model, kRadio, demo.db.get(), 0);
        for (int g = 0; g < 16; ++g) {
            auto* box =
                Find<QCheckBox>(dialog.get(), qPrintable(QStringLiteral("idFavorite%1").arg(g)));
            QVERIFY(box);
            QCOMPARE(box->text().toStdString(), demo.db->Describe(kFavorite, g));
            box->setChecked(g == 0 || g == 15);
        }
        QCOMPARE(Find<QCheckBox>(dialog.get(), "idFavorite0")->text(), QStringLiteral("Sports"));
        for (int i = 0; i < 11; ++i) {
            auto* box =
                Find<QCheckBox>(dialog.get(), qPrintable(QStringLiteral("idAccess%1").arg(i)));
            QCOMPARE(box->text(), QString::fromLatin1(kAccessSystemNames[i]));
            box->setChecked(i == 1 || i == 10);
        }
        Find<QCheckBox>(dialog.get(), "idChannelLock")->setChecked(true);
        QVERIFY(Save(dialog.get()));
        if (model == kFirstModel) {
            const auto c = demo.Row<ServiceRecord>(kRadio, 0);
            QCOMPARE(c.favoriteMask(), 0x8001u);
            QCOMPARE(c.accessSystems(), (1u << 1) | (1u << 10));
            QVERIFY(c.scrambled());
            QVERIFY(c.locked());
        } else {
            const auto c = demo.Row<gen2::ServiceRecord>(kRadio, 0);
            QCOMPARE(int(c.favoriteMask()), 0x8001);
            QCOMPARE(c.accessSystems(), (1u << 1) | (1u << 10));
            QVERIFY(c.locked());
        }
        // What was stored is what the dialog shows next time.
        auto again = Open(model, kRadio, demo.db.get(), 0);
        QVERIFY(Find<QCheckBox>(again.get(), "idAccess10")->isChecked());
        QVERIFY(!Find<QCheckBox>(again.get(), "idAccess0")->isChecked());
        QVERIFY(Find<QCheckBox>(again.get(), "idFavorite15")->isChecked());
    }
}

void EditDialogsTest::arabicNameStoredAsTheCoreStoresIt() {
    Demo demo(kFirstModel);
    // Demo TV channel 4 carries an Arabic name.
    const auto before = demo.Row<ServiceRecord>(kTv, 4);
    auto dialog = Open(kFirstModel, kTv, demo.db.get(), 4);
    const QString shown = Shown(dialog.get(), "idName");
    QCOMPARE(shown.toStdString(), text::NameToDisplay(before.name()));
    QVERIFY(shown.front().script() == QChar::Script_Arabic);

    const QString edited = shown + QStringLiteral(" 2");
    SetText(dialog.get(), "idName", edited);
    QVERIFY(Save(dialog.get()));
    Record expected = before.ToRecord();
    demo.db->layout().StoreNameText(kTv, expected, edited.toStdString());
    QCOMPARE(demo.Row<ServiceRecord>(kTv, 4).name(), As<ServiceRecord>(expected).name());
    QCOMPARE(QString::fromStdString(text::NameToDisplay(demo.Row<ServiceRecord>(kTv, 4).name())),
             edited);
}

void EditDialogsTest::refusedStoreKeepsTheDialogOpen() {
    RefusingDatabase db;
    FillFirstGenDemo(db);
    MemoryListControl list;
    db.Refresh(kTransponder, &list);
    auto dialog = Open(kFirstModel, kTransponder, &db, 0);
    SetText(dialog.get(), "idName", "Kept");
    bool told = false;
    OnNextModal([&told](QWidget* modal) {
        told = qobject_cast<QMessageBox*>(modal) != nullptr;
        modal->close();
    });
    QVERIFY(!Save(dialog.get()));
    QVERIFY(told);
    QCOMPARE(db.attempts, 1);
    QVERIFY(dialog->isVisible());
    QCOMPARE(Shown(dialog.get(), "idName"), QStringLiteral("Kept"));

    db.refuse = false;
    QVERIFY(Save(dialog.get()));
    TransponderRecord t;
    db.GetRowData(kTransponder, 0, t.stored);
    QCOMPARE(QString::fromStdString(t.name()), QStringLiteral("Kept"));
}

void EditDialogsTest::dialogsThatDoNotOpen() {
    Demo demo(kFirstModel);
    QVERIFY(!CreateEditDialog(nullptr, 5, kSatellite, demo.db.get(), 0));
    QVERIFY(!CreateEditDialog(nullptr, 5, kTransponder, demo.db.get(), 0));
    QVERIFY(!CreateEditDialog(nullptr, kFirstModel, kFavorite, demo.db.get(), 0));
    QVERIFY(!CreateEditDialog(nullptr, kFirstModel, kTv, nullptr, 0));
    // A channel of an unknown model: empty controls, and Save stores nothing.
    auto dialog = Open(5, kTv, demo.db.get(), 0);
    QVERIFY(dialog);
    QCOMPARE(Shown(dialog.get(), "idName"), QString());
    QCOMPARE(Find<QComboBox>(dialog.get(), "idTransponder")->count(), 0);
    const uint32_t modified = demo.db->modified = 0;
    QVERIFY(!Save(dialog.get()));
    QCOMPARE(demo.db->modified, modified);
}

void EditDialogsTest::runEditDialogReportsSave() {
    Demo demo(kSecondModel);
    OnNextModal([](QWidget* modal) {
        modal->findChild<QLineEdit*>(QStringLiteral("idName"))->setText(QStringLiteral("Modal"));
        modal->findChild<QPushButton*>(QStringLiteral("idSave"))->click();
    });
    QCOMPARE(app::RunEditDialog(nullptr, kSecondModel, kSatellite, demo.db.get(), 0), 1);
    QCOMPARE(demo.Row<gen2::SatelliteRecord>(kSatellite, 0).name(), std::string("Modal"));
    OnNextModal([](QWidget* modal) {
        modal->findChild<QPushButton*>(QStringLiteral("idCancel"))->click();
    });
    QCOMPARE(app::RunEditDialog(nullptr, kSecondModel, kTv, demo.db.get(), 0), 0);
}

QTEST_MAIN(EditDialogsTest)
#include "edit_dialogs_test.moc"
