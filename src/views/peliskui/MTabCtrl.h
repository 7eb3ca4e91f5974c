#pragma once

#include <QPointer>
#include <QVector>

#include "views/peliskui/MControlFont.h"
#include "views/peliskui/MTabLayout.h"

namespace PeliskUI {

// The icon tab strip ("MTabCtrl"). Each item has an identifier, a caption, an icon and the page
// container it shows. Items sit side by side from the left padding, each of the item size.
// Clicking an item (while the strip is enabled) shows its page, hides the others and reports
// event 2 with the item's index. Icons are single pictures, tinted by the strip per state.
class MTabCtrl : public MControlFont {
    Q_OBJECT
  public:
    explicit MTabCtrl(QWidget* parent = nullptr);

    // Appends an item; returns its index.
    int InsertItem(int itemId, const QString& text, const QString& icon, MTabLayout* page);
    int GetItemCount() const { return int(m_items.size()); }
    // The identifier of the item at `index`; -1 when there is none.
    int GetItemID(int index) const;
    // Selects the item at `index`: shows its page and hides the others. Reports no event.
    // False for an index out of range.
    bool SetSelectItem(int index);
    int GetSelectItem() const { return m_selected; }
    bool SetItemText(int index, const QString& text);
    QString GetItemText(int index) const;
    // Redraws the items after their data changed.
    void RefreshItemData();

    void SetItemSize(int width, int height);
    void SetPadding(int left, int right, int top, int bottom);
    // The rectangle of the item at `index`, in the strip's own coordinates.
    QRect ItemRect(int index) const;
    // Clicks the item at `index` as the user does.
    void ClickItem(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

  private:
    struct Item {
        int id = 0;
        QString text;
        SkinImage icon;
        QPointer<MTabLayout> page;
    };
    int ItemAt(const QPoint& point) const;

    QVector<Item> m_items;
    int m_selected = -1;
    int m_hovered = -1;
    int m_itemWidth = 60;
    int m_itemHeight = 60;
    int m_padLeft = 0;
    int m_padTop = 0;
};

}  // namespace PeliskUI
