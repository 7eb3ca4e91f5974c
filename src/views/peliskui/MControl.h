#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "views/peliskui/MObject.h"
#include "views/peliskui/MRect.h"
#include "views/peliskui/SkinImage.h"

namespace PeliskUI {

class MWindow;

// Base of every control. A control has an identifier, a rectangle in its window's client
// coordinates (also when it sits on a page container), a skin image with its state count and a
// text colour. Controls made with CreateControl report their events to the window's
// OnMessage(id, event, param); areas made with CreateArea never report.
class MControl : public QWidget, public MObject {
    Q_OBJECT
  public:
    explicit MControl(QWidget* parent = nullptr);
    ~MControl() override;

    int GetID() const { return m_id; }
    void SetID(int id) { m_id = id; }
    // The kind name the control was created with ("MButton", "CRoundArea"...).
    const QString& Kind() const { return m_kind; }
    void SetKind(const QString& kind) { m_kind = kind; }

    // The window that receives the control's events and keeps its groups.
    void SetOwner(MWindow* owner) { m_owner = owner; }
    MWindow* Owner() const { return m_owner; }
    // Whether events reach the window (false for areas).
    void SetNotify(bool notify) { m_notify = notify; }
    bool Notifies() const { return m_notify; }

    // Places the control; `rect` is in the client coordinates of the owning window, whatever
    // container the control sits in.
    void SetRect(const MRect& rect);
    const MRect& GetRect() const { return m_rect; }
    // Applies the rectangle again after the container moved.
    void Reposition();

    void SetVisible(bool visible);
    bool GetVisible() const { return !isHidden(); }
    void SetEnabled(bool enabled);
    bool GetEnabled() const { return isEnabled(); }
    void SetTooltip(const QString& text);
    QString GetTooltip() const { return toolTip(); }
    // Redraws the control.
    void UpdateControl();

    // The skin image and how many state frames it holds side by side. Returns false (and the
    // control draws its plain look) when the image cannot be read.
    virtual bool SetImage(const QString& name, int states = 4);
    const SkinImage& Image() const { return m_image; }

    // Colour of the control's text, ARGB.
    void SetTextColor(uint32_t argb);
    uint32_t GetTextColor() const { return m_textColor; }

    // The state frame the control shows now: 0 normal, 1 hover, 2 pressed, 3 disabled.
    int State() const;
    bool IsHovered() const { return m_hover; }
    bool IsPressed() const { return m_pressed; }

    // Behaves as if the user clicked the control (tests, keyboard activation).
    void Click();

  protected:
    // Reports an event to the owning window (nothing for areas or without a window).
    void Notify(int event, int64_t param = 0);

    // Controls that react to the mouse call this in their constructor: presses are then taken
    // by the control (else they reach the window, which may drag), and a release over the
    // control calls OnClicked.
    void SetClickable(bool clickable);
    bool IsClickable() const { return m_clickable; }
    // A completed click. The default reports event 2.
    virtual void OnClicked();

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

    SkinImage m_image;

  private:
    QString m_kind;
    MWindow* m_owner = nullptr;
    MRect m_rect;
    uint32_t m_textColor;
    int m_id = 0;
    bool m_notify = true;
    bool m_clickable = false;
    bool m_hover = false;
    bool m_pressed = false;
};

}  // namespace PeliskUI
