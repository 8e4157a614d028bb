// Answers the message boxes the code under test opens, one after the other,
// and keeps what they said.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <vector>

namespace brondavel::test {

class MessageBoxAnswerer : public QObject {
    Q_OBJECT
  public:
    struct Seen {
        QString caption;
        QString text;
    };
    // Boxes take the answers in order; once they run out, each box gets Ok
    // (or its only button).
    explicit MessageBoxAnswerer(std::deque<QMessageBox::StandardButton> answers = {});

    const std::vector<Seen>& seen() const { return seen_; }
    // Whether any box so far showed exactly `text` with `caption`.
    bool Saw(const QString& caption, const QString& text) const;
    // Whether any box so far contained `part`.
    bool SawPart(const QString& part) const;
    // Whether exactly one box came, with `caption` and a text containing `part`.
    bool SawOnly(const QString& caption, const QString& part) const;

  private:
    void Poll();

    std::deque<QMessageBox::StandardButton> answers_;
    std::vector<Seen> seen_;
    QPointer<QMessageBox> last_;
    QTimer timer_;
};

}  // namespace brondavel::test
