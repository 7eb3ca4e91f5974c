#pragma once

#include "views/peliskui/MControlFont.h"

namespace PeliskUI {

// Common part of the two list controls of the macro page: rows of one height that scroll with
// the wheel or the thin scroll bar, one selected row, and a "more" button on the selected or
// hovered row. A click on a row selects it and reports event 2 with the row; the "more" button
// or a right click first does the same and then reports event 9 with the row (the views open
// the row's menu at the cursor).
class MRowList : public MControlFont {
    Q_OBJECT
  public:
    explicit MRowList(QWidget* parent = nullptr);

    virtual int GetCount() const = 0;
    int GetCurSel() const { return m_current; }
    // Selects a row (-1: none) and scrolls it into view. Reports no event. False for a row out
    // of range.
    bool SetCurSel(int row);

    // The picture of the rows' "more" button (four state frames).
    bool SetMoreImage(const QString& name, int states = 4);
    void SetRowHeight(int height);
    int RowHeight() const { return m_rowHeight; }
    // The rectangle of a row in the control (scrolled), and of its "more" button.
    QRect RowRect(int row) const;
    QRect MoreRect(int row) const;
    // The row under a point of the control; -1 for none.
    int RowAt(const QPoint& point) const;
    void EnsureVisible(int row);
    int ScrollOffset() const { return m_scroll; }

    // A click on a row, as the user does it (selects it, event 2).
    void ClickRow(int row);
    // A request for the row's menu, as the "more" button does it (selects it, events 2 and 9).
    void RequestRowMenu(int row);

  protected:
    // Draws one row's content (the list draws the selection and hover bands).
    virtual void DrawRow(QPainter& painter, int row, const QRect& area, bool selected) const = 0;
    // Keeps the selection valid after rows were removed.
    void RowsChanged();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    int m_current = -1;

  private:
    int ContentHeight() const;
    int MaxScroll() const;
    void ScrollTo(int offset);
    QRectF ScrollTrack() const;

    SkinImage m_more;
    int m_rowHeight = 32;
    int m_scroll = 0;
    int m_hovered = -1;
    bool m_draggingBar = false;
    int m_dragStartY = 0;
    int m_dragStartScroll = 0;
};

}  // namespace PeliskUI
