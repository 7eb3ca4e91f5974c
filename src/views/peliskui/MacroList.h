#pragma once

#include <QVector>
#include <cstdint>

#include "views/peliskui/MRowList.h"

class QLineEdit;

namespace PeliskUI {

// The list of macros ("MacroList"): one row per macro with its name and a data value (the
// macro's id). Besides the events of every row list, a double click on a row edits its name in
// place: Enter or leaving the field stores the typed name as the row's text and reports event
// 29 with the row (the view then renames the macro or puts the old name back); Escape ends the
// edit without an event.
class MacroList : public MRowList {
    Q_OBJECT
  public:
    explicit MacroList(QWidget* parent = nullptr);

    // Appends a row; returns its index.
    int AddItem(const QString& text, int64_t data);
    bool DeleteItem(int row);
    void DelAllItems();
    int GetCount() const override { return int(m_items.size()); }
    QString GetItemText(int row) const;
    bool SetItemText(int row, const QString& text);
    int64_t GetItemData(int row) const;
    // The row with this data value; -1 when none has it.
    int FindData(int64_t data) const;

    // Starts editing a row's name in place (a double click does the same).
    void BeginRename(int row);
    bool IsRenaming() const { return m_renaming >= 0; }
    QLineEdit* Editor() const { return m_editor; }

  protected:
    void DrawRow(QPainter& painter, int row, const QRect& area, bool selected) const override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Item {
        QString text;
        int64_t data = 0;
    };
    void FinishRename(bool keep);

    QVector<Item> m_items;
    QLineEdit* m_editor;
    int m_renaming = -1;
};

}  // namespace PeliskUI
