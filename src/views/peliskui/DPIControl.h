#pragma once

#include <cstdint>

#include "views/peliskui/MCheckable.h"

class QLineEdit;

namespace PeliskUI {

// One DPI stage ("DPIControl"): a tile with the stage's title, its DPI value and its colour.
// Stage tiles form a group; a click checks the tile and reports event 2. With value editing
// on, a double click on the tile edits the value in place: event 30 when the edit starts, 26 at
// every typed change (GetValue then gives the typed number), 29 when Enter or leaving the tile
// ends it (Escape puts the previous value back first).
class DPIControl : public MCheckable {
    Q_OBJECT
  public:
    explicit DPIControl(QWidget* parent = nullptr);

    // The value shown; while editing, the number typed so far (0 for an empty field).
    int GetValue() const;
    // Shows a value; while editing, it replaces the typed text.
    void SetValue(int value);
    // The stage colour as a Windows COLORREF (0x00BBGGRR).
    void SetColor(uint32_t colorRef);
    uint32_t GetColor() const { return m_color; }
    void SetEditable(bool editable);
    bool IsEditing() const;
    // Starts editing the value, as a double click does (only with value editing on).
    void BeginEdit();
    // Ends editing, as Enter does.
    void EndEdit();
    QLineEdit* Editor() const { return m_editor; }

  protected:
    void OnClicked() override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QRect ValueArea() const;

    QLineEdit* m_editor;
    int m_value = 0;
    int m_valueBeforeEdit = 0;
    uint32_t m_color = 0x0000FF;
    bool m_editable = false;
    bool m_editing = false;
};

}  // namespace PeliskUI
