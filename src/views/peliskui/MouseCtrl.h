#pragma once

#include <QPoint>
#include <QVector>

#include "views/peliskui/MControlFont.h"

namespace PeliskUI {

// The button callouts over the mouse picture ("MouseCtrl"). Each item is a caption box joined
// by a line to a point on the mouse. Side 0 puts the box at the left: it ends at the first
// point and the line runs to the second point, on the mouse. Side 1 puts it at the right: the
// line starts on the mouse at the first point and the box starts at the second point. The skin
// holds the caption box in two frames, normal and selected. The control only displays.
class MouseCtrl : public MControlFont {
    Q_OBJECT
  public:
    explicit MouseCtrl(QWidget* parent = nullptr);

    // Appends an item; returns its index. `button` is the mouse button the item stands for.
    int AddItem(const QString& label, int button, int side, const QPoint& first,
                const QPoint& second);
    int GetItemCount() const { return int(m_items.size()); }
    bool SetItemText(int index, const QString& text);
    QString GetItemText(int index) const;
    int GetItemButton(int index) const;
    // Marks one item as selected (-1: none).
    void SetSelectItem(int index);
    int GetSelectItem() const { return m_selected; }
    // The caption box of an item, in the control's coordinates.
    QRect ItemBox(int index) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Item {
        QString text;
        int button = 0;
        int side = 0;
        QPoint first;
        QPoint second;
    };
    QVector<Item> m_items;
    int m_selected = -1;
};

}  // namespace PeliskUI
