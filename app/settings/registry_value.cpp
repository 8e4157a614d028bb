#include "app/settings/registry_value.h"

#include <QSettings>

#include "app/logic/stored_numbers.h"
#include "app/settings/settings_paths.h"

namespace brondavel::app {

namespace {

constexpr int kTextLimit = 1024;

QByteArray IntegerBytes(int value) {
    const auto v = static_cast<uint32_t>(value);
    const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    return QByteArray(bytes, 4);
}

}  // namespace

RegistryValue::RegistryValue(Kind kind, QString keyPath, QString name)
    : kind_(kind), keyPath_(std::move(keyPath)), name_(std::move(name)) {}

QVariant RegistryValue::Load() const {
    QSettings settings(RegistryFilePath(), QSettings::IniFormat);
    settings.beginGroup(keyPath_);
    return settings.value(name_);
}

bool RegistryValue::Store(const QVariant& value) const {
    QSettings settings(RegistryFilePath(), QSettings::IniFormat);
    settings.beginGroup(keyPath_);
    settings.setValue(name_, value);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool RegistryValue::Read(QString* text) const {
    if (kind_ != kText) return false;
    const QVariant value = Load();
    if (!value.isValid()) return false;
    *text = value.toString().left(kTextLimit);
    return true;
}

bool RegistryValue::Read(int* number) const {
    if (kind_ != kInteger && kind_ != kBoolean) return false;
    const QVariant value = Load();
    if (!value.isValid()) return false;
    if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        if (bytes.size() != 4) return false;
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(bytes[i]);
        *number = static_cast<int>(v);
        return true;
    }
    // A value typed into the file by hand as a decimal number.
    bool ok = false;
    const int v = value.toString().trimmed().toInt(&ok);
    if (ok) *number = v;
    return ok;
}

bool RegistryValue::Read(bool* flag) const {
    int number = 0;
    if (kind_ != kBoolean || !Read(&number)) return false;
    *flag = number != 0;
    return true;
}

bool RegistryValue::Numbers(int* out, int count) const {
    const QVariant value = Load();
    if (!value.isValid()) return false;
    const std::vector<int> numbers = ReadStoredNumbers(value.toString().toStdString(), count);
    if (static_cast<int>(numbers.size()) != count) return false;
    for (int i = 0; i < count; ++i) out[i] = numbers[i];
    return true;
}

bool RegistryValue::Read(QRect* rect) const {
    int n[4];
    if (kind_ != kRectangle || !Numbers(n, 4)) return false;
    *rect = QRect(n[0], n[1], n[2], n[3]);
    return true;
}

bool RegistryValue::Read(QPoint* point) const {
    int n[2];
    if ((kind_ != kPoint && kind_ != kPair) || !Numbers(n, 2)) return false;
    *point = QPoint(n[0], n[1]);
    return true;
}

bool RegistryValue::Write(const QString& text) const {
    return kind_ == kText && Store(text);
}

bool RegistryValue::Write(int number) const {
    return (kind_ == kInteger || kind_ == kBoolean) && Store(IntegerBytes(number));
}

bool RegistryValue::Write(bool flag) const {
    return kind_ == kBoolean && Store(IntegerBytes(flag ? 1 : 0));
}

bool RegistryValue::Write(const QRect& rect) const {
    return kind_ == kRectangle && Store(QString::fromStdString(WriteRectangle(
                                      rect.left(), rect.top(), rect.width(), rect.height())));
}

bool RegistryValue::Write(const QPoint& point) const {
    return (kind_ == kPoint || kind_ == kPair) &&
           Store(QString::fromStdString(WritePair(point.x(), point.y())));
}

}  // namespace brondavel::app
