#pragma once

#include <QVector>
#include <cstdint>

#include "views/peliskui/MRowList.h"

namespace PeliskUI {

// The step list of a macro ("CRecordList"): rows of four values (label, kind, value, stamp)
// shown in three columns: the position, the kind's icon and the label. The icon picture holds
// six frames: delay, key press, key release, mouse button press, mouse button release, move.
class CRecordList : public MRowList {
    Q_OBJECT
  public:
    struct Row {
        QString text;
        int kind = 0;
        int64_t value = 0;
        int64_t stamp = 0;
        bool operator==(const Row&) const = default;
    };

    explicit CRecordList(QWidget* parent = nullptr);

    // The icon picture of the kinds.
    bool SetIconImage(const QString& name, int states = 6);
    // The left edges of the three columns (relative to the list).
    void SetColumns(int number, int icon, int text);

    int GetCount() const override { return int(m_rows.size()); }
    int AddRow(const Row& row);
    // Inserts a row before `index` (at the end when `index` is out of range); returns the index.
    // The selection stays on the same row.
    int InsertRow(int index, const Row& row);
    bool DeleteRow(int index);
    void DelAllItems();
    // The row at `index`; an empty row (kind 0) when out of range.
    Row GetRow(int index) const;
    bool SetRow(int index, const Row& row);
    // Moves a row to another index; the selection follows a selected row.
    bool MoveRow(int from, int to);

    // The icon frame of a row kind.
    static int IconFrameOf(int kind);

  protected:
    void DrawRow(QPainter& painter, int row, const QRect& area, bool selected) const override;

  private:
    QVector<Row> m_rows;
    SkinImage m_icons;
    int m_numberColumn = 0;
    int m_iconColumn = 85;
    int m_textColumn = 190;
};

}  // namespace PeliskUI
