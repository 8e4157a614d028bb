#include "app/data/data_commands.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/data/merge_dialog.h"
#include "app/data/update_preview_dialog.h"
#include "app/settings/table_source_setting.h"
#include "files/atomic_file.h"
#include "files/detected_database.h"
#include "files/reference_list.h"
#include "files/table_source.h"
#include "model/database_convert.h"
#include "model/list_order.h"

namespace brondavel {

namespace {

void Show(QWidget* parent, QMessageBox::Icon icon, const char* caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void Failed(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Critical, "Error", text);
}

QString Lines(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& line : lines) out << QString::fromStdString(line);
    return out.join('\n');
}

// Says why the configured source gives nothing and offers a table file
// instead; empty when the user declines.
QString PickTableFile(QWidget* parent, const QString& why) {
    QMessageBox ask(QMessageBox::Question, "Message", why + "\nPick a table file instead?",
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    if (ask.exec() != QMessageBox::Ok) return {};
    return QFileDialog::getOpenFileName(parent, "Transponder Tables", QString(),
                                        "satellites.xml (*.xml);;All Files (*)");
}

}  // namespace

bool MergeFromFile(QWidget* parent, DatabaseEngine& db, const QString& path) {
    std::string error;
    const std::unique_ptr<DatabaseFile> other = OpenDetectedDatabase(path.toStdString(), error);
    if (!other) {
        Failed(parent, QString("Cannot read \"%1\":\n%2").arg(path, QString::fromStdString(error)));
        return false;
    }
    MergeDialog dialog(path, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    const MergeResult r = MergeDatabase(db, other->db(), dialog.options());
    if (!r.error.empty()) {
        Failed(parent, QString::fromStdString(r.error));
        return false;
    }
    Show(parent, QMessageBox::Information, "Success",
         QString("Merged \"%1\":\n%2").arg(path, Lines(MergeReportLines(r))));
    return r.Added() > 0;
}

void SaveAsOtherGeneration(QWidget* parent, const DatabaseEngine& db, const QString& path,
                           int model) {
    auto file = MakeDatabaseFile(path.toStdString(), model, 3, 2);
    if (!file) {
        Failed(parent, QString("Model %1 has no file format.").arg(model));
        return;
    }
    ConversionLosses losses;
    std::string error;
    if (!ConvertDatabase(db, file->db(), losses, error)) {
        Failed(parent, QString::fromStdString(error));
        return;
    }
    if (!file->Save(path.toStdString())) {
        Failed(parent, QString::fromStdString(file->lastError().empty()
                                                  ? "Cannot write \"" + path.toStdString() + "\""
                                                  : file->lastError()));
        return;
    }
    std::vector<std::string> lines;
    for (const auto& [field, count] : losses.fields)
        lines.push_back("Not carried over: " + field + " (" + std::to_string(count) + ")");
    if (losses.cutNames) lines.push_back("Names cut: " + std::to_string(losses.cutNames));
    Show(parent, QMessageBox::Information, "Success",
         QString("Saved \"%1\" for model %2.\n%3").arg(path).arg(model).arg(Lines(lines)));
}

std::optional<int> AskReferenceKind(QWidget* parent) {
    QMessageBox ask(QMessageBox::Question, "Message", "Save the order of which channels?",
                    QMessageBox::Cancel, parent);
    QPushButton* tv = ask.addButton("TV", QMessageBox::AcceptRole);
    QPushButton* radio = ask.addButton("Radio", QMessageBox::AcceptRole);
    ask.setDefaultButton(tv);
    ask.exec();
    if (ask.clickedButton() == tv) return kTv;
    if (ask.clickedButton() == radio) return kRadio;
    return std::nullopt;
}

void SaveReferenceList(QWidget* parent, const DatabaseEngine& db, const QString& path, int kind) {
    const std::string text = FormatReferenceList(ReferenceEntriesOf(db, kind));
    std::string error;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    if (!WriteFileAtomically(path.toStdString(), {{bytes, text.size()}}, error))
        Failed(parent, QString::fromStdString(error));
}

bool ApplyTextList(QWidget* parent, DatabaseEngine& db, const QString& path) {
    std::vector<ReferenceEntry> entries;
    std::string error;
    if (!ReadReferenceList(path.toStdString(), entries, error)) {
        Failed(parent, QString::fromStdString(error));
        return false;
    }
    QMessageBox ask(QMessageBox::Question, "Message",
                    QString("Give the channels the order of \"%1\"?").arg(path),
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    auto* names = new QCheckBox("Take the list's names as well");
    names->setObjectName("applyListNames");
    ask.setCheckBox(names);
    if (ask.exec() != QMessageBox::Ok) return false;
    const ListOrderResult r = ApplyListOrder(db, entries, names->isChecked());
    QString text = QString(
                       "%1 matched by service id and name, %2 by service id, %3 by name;\n"
                       "%4 not found, kept after the others in their order.")
                       .arg(r.bySidAndName)
                       .arg(r.bySid)
                       .arg(r.byName)
                       .arg(r.unmatched);
    for (const CutName& c : r.cutNames)
        text += QString("\nName cut: \"%1\" -> \"%2\"")
                    .arg(QString::fromStdString(c.wanted), QString::fromStdString(c.stored));
    Show(parent, QMessageBox::Information, "Success", text);
    return true;
}

bool UpdateSatellite(QWidget* parent, DatabaseEngine& db, int row) {
    Record satellite;
    if (!db.RowRecord(kSatellite, row, satellite)) return false;
    const uint16_t id = db.list(kSatellite).IdOfRow(row);
    const int longitude = static_cast<int16_t>(ReadU16(satellite.data() + 4));
    const app::TableSource source = app::LoadTableSource();
    std::string error;
    std::vector<TransponderTable> tables = app::SourceTablesAt(source, longitude, error);
    if (tables.empty()) {
        const QString path = PickTableFile(
            parent,
            QString::fromStdString(error.empty() ? app::NothingAtText(source, longitude) : error));
        if (path.isEmpty()) return false;
        std::vector<TransponderTable> read;
        if (!ReadTableFile(path.toStdString(), read, error)) {
            Failed(parent, QString::fromStdString(error));
            return false;
        }
        tables = TablesAt(read, longitude);
        if (tables.empty()) {
            Failed(parent, QString("\"%1\" has no satellite at %2")
                               .arg(path, QString::fromStdString(PositionText(longitude))));
            return false;
        }
    }
    UpdatePreviewDialog dialog(db, id, std::move(tables), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool NewSatelliteFromTable(QWidget* parent, DatabaseEngine& db) {
    app::TableCatalogue catalogue;
    std::string error;
    if (!catalogue.Open(app::LoadTableSource(), error)) {
        const QString path = PickTableFile(parent, QString::fromStdString(error));
        if (path.isEmpty()) return false;
        if (!catalogue.OpenFile(path.toStdString(), error)) {
            Failed(parent, QString::fromStdString(error));
            return false;
        }
    }
    QStringList items;
    for (size_t i = 0; i < catalogue.size(); ++i)
        items << QString::fromStdString(catalogue.Label(i));
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, "New satellite from a table",
                                                 "Satellite:", items, 0, false, &ok);
    const qsizetype index = items.indexOf(chosen);
    if (!ok || index < 0) return false;
    TransponderTable table;
    if (!catalogue.Read(static_cast<size_t>(index), table, error) ||
        AddSatelliteFromTable(db, table, false, error) == kNone) {
        Failed(parent, QString::fromStdString(error));
        return false;
    }
    return true;
}

}  // namespace brondavel
