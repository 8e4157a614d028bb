// The channel dialog's audio list, edited in place: a PID cell takes digits
// only, the language cell offers the language names, the AC3 cell "X" or
// "O". A right click offers "Insert" and "Delete".
#pragma once

#include <QMenu>
#include <QTableWidget>
#include <vector>

#include "app/logic/record_forms.h"

namespace brondavel::app {

class AudioListEditor : public QTableWidget {
    Q_OBJECT
  public:
    enum Column { kHiddenColumn = 0, kPidColumn, kLanguageColumn, kAc3Column, kColumnCount };

    explicit AudioListEditor(QWidget* parent = nullptr);

    void SetRows(const std::vector<AudioRow>& rows);
    std::vector<AudioRow> Rows() const;

    // Appends "0", "UNKNOW", "X" as the only selected row; false (and nothing
    // changes) when the list is full.
    bool InsertAudioRow();
    void DeleteSelectedRows();
    // The right-click menu: "Insert", and "Delete" greyed with no selection.
    QMenu* CreateContextMenu(QWidget* parent);

    // Width that shows every column without scrolling.
    QSize sizeHint() const override;

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void AppendRow(const AudioRow& row);
};

}  // namespace brondavel::app
