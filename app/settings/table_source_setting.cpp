#include "app/settings/table_source_setting.h"

#include "app/settings/registry_value.h"
#include "app/settings/settings_paths.h"

namespace brondavel::app {

namespace {

RegistryValue KindValue() {
    return RegistryValue(RegistryValue::kInteger, kRegistryKeyPath, "Update_Source");
}

RegistryValue FileValue() {
    return RegistryValue(RegistryValue::kText, kRegistryKeyPath, "Update_File");
}

}  // namespace

TableSource LoadTableSource() {
    int kind = kTableSourceInstalled;
    QString path;
    KindValue().Read(&kind);
    FileValue().Read(&path);
    return StoredTableSource(kind, path.toStdString());
}

bool SaveTableSource(const TableSource& source) {
    const bool kind = KindValue().Write(source.kind);
    const bool file = FileValue().Write(QString::fromStdString(source.path));
    return kind && file;
}

}  // namespace brondavel::app
