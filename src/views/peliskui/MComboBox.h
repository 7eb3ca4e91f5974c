#pragma once

#include <QVector>
#include <cstdint>

#include "views/peliskui/MControlFont.h"

class QListWidget;

namespace PeliskUI {

// A drop-down list ("MComboBox"). Each item has a caption and a data value. The box shows its
// title, which choosing an item sets to the item's caption and which the views may set to
// another text. Choosing an item in the opened list reports event 2 with the item's index.
class MComboBox : public MControlFont {
    Q_OBJECT
  public:
    explicit MComboBox(QWidget* parent = nullptr);
    ~MComboBox() override;

    // Appends an item; returns its index.
    int AddItem(const QString& text, int64_t data);
    void DelAllItems();
    int GetCount() const { return int(m_items.size()); }

    // Selects the item at `index` and shows its caption; -1 clears the selection. False (and
    // nothing changes) for an index out of range. Reports no event.
    bool SetCurSel(int index);
    int GetCurSel() const { return m_current; }
    // Selects the first item whose data is `data`; false (selection unchanged) when none has.
    bool SelectData(int64_t data);
    // The data of the selected item; 0 with no selection.
    int64_t GetCurData() const;

    bool SetItemText(int index, const QString& text);
    QString GetItemText(int index) const;
    int64_t GetItemData(int index) const;

    // Colour of the captions in the opened list, ARGB.
    void SetTextColorEx(uint32_t argb);

    // Opens the list below the box (a click on the box does the same).
    void ShowDropDown();
    bool IsDroppedDown() const;
    // Chooses an item as the user does from the opened list: selects it and reports event 2.
    void ChooseItem(int index);

  protected:
    void OnClicked() override;
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Item {
        QString text;
        int64_t data = 0;
    };

    QVector<Item> m_items;
    int m_current = -1;
    uint32_t m_listTextColor;
    QListWidget* m_popup = nullptr;
};

}  // namespace PeliskUI
