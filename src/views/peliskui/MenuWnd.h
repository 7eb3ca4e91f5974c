#pragma once

#include <QPointer>
#include <QVector>
#include <QWidget>
#include <cstdint>

#include "views/peliskui/MObject.h"

namespace PeliskUI {

class MWindow;

// A popup menu (MenuWnd). Made with new, given its items, then shown; it closes (and deletes
// itself) when an item is chosen or the user clicks elsewhere. The chosen item's identifier
// reaches the owner window as the window message given to Create, with the identifier as
// lParam (wParam 0).
class MenuWnd : public QWidget, public MObject {
    Q_OBJECT
  public:
    MenuWnd();
    ~MenuWnd() override;

    // Sets the owner, the top-left corner in screen coordinates, the width and the message the
    // choice is posted with. False without an owner.
    bool Create(MWindow* owner, const QPoint& screenPos, int width, uint32_t message);
    void AddMenu(const QString& text, int id);
    // Opens the menu.
    void Show();
    // Chooses an item as the user does: posts the message and closes the menu.
    void Choose(int id);
    int ItemCount() const { return int(m_items.size()); }
    int ItemID(int index) const;

    // The menu currently open, if any.
    static MenuWnd* Current();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    struct Item {
        QString text;
        int id = 0;
    };
    int ItemAt(const QPoint& point) const;
    QRect ItemRect(int index) const;

    MWindow* m_owner = nullptr;
    QPointer<QWidget> m_ownerWidget;
    QVector<Item> m_items;
    QPoint m_at;
    uint32_t m_message = 0;
    int m_width = 120;
    int m_hovered = -1;
};

}  // namespace PeliskUI
