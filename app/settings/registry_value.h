// One named value under a registry key path, kept in an INI file (one group
// per key path). Kinds and stored forms: text as it is; integer and boolean
// as the 4 bytes of a 32-bit little-endian integer; rectangle as
// "(%d,%d,%d,%d)" of left, top, width, height; point and pair as "(%d,%d)".
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

namespace brondavel::app {

class RegistryValue {
  public:
    enum Kind { kText = 1, kInteger = 2, kBoolean = 3, kRectangle = 4, kPoint = 5, kPair = 6 };

    RegistryValue(Kind kind, QString keyPath, QString name);

    Kind kind() const { return kind_; }
    const QString& name() const { return name_; }

    // Each read fails (false, target untouched) when the value is missing,
    // unreadable, or the call does not fit the value's kind.
    bool Read(QString* text) const;
    bool Read(int* number) const;
    bool Read(bool* flag) const;
    bool Read(QRect* rect) const;
    bool Read(QPoint* point) const;  // point and pair

    bool Write(const QString& text) const;
    bool Write(int number) const;
    bool Write(bool flag) const;
    bool Write(const QRect& rect) const;
    bool Write(const QPoint& point) const;

  private:
    bool Numbers(int* out, int count) const;
    bool Store(const QVariant& value) const;
    QVariant Load() const;

    Kind kind_;
    QString keyPath_;
    QString name_;
};

}  // namespace brondavel::app
