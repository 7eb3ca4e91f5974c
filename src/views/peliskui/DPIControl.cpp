#include "views/peliskui/DPIControl.h"

#include <QFocusEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

DPIControl::DPIControl(QWidget* parent) : MCheckable(parent), m_editor(new QLineEdit(this)) {
    SetClickable(true);
    SetAlignment(kAlignCenter);
    m_editor->hide();
    m_editor->setFrame(false);
    m_editor->setAlignment(Qt::AlignCenter);
    m_editor->setMaxLength(5);
    m_editor->setValidator(new QIntValidator(0, 99999, m_editor));
    m_editor->installEventFilter(this);
    m_editor->setStyleSheet(
        QStringLiteral("QLineEdit { background: #0D141B; border: 1px solid %1; border-radius: 4px;"
                       " color: #ffffff; selection-background-color: %1; }")
            .arg(Theme::Argb(Theme::kAccent).name()));
    connect(m_editor, &QLineEdit::textEdited, this, [this] { Notify(kEventEditing, 0); });
    connect(m_editor, &QLineEdit::returnPressed, this, [this] { EndEdit(); });
}

int DPIControl::GetValue() const {
    if (m_editing) {
        bool ok = false;
        const int typed = m_editor->text().toInt(&ok);
        return ok ? typed : 0;
    }
    return m_value;
}

void DPIControl::SetValue(int value) {
    m_value = value;
    if (m_editing) {
        m_editor->setText(QString::number(value));
    }
    update();
}

void DPIControl::SetColor(uint32_t colorRef) {
    m_color = colorRef & 0x00FFFFFF;
    update();
}

void DPIControl::SetEditable(bool editable) {
    m_editable = editable;
    if (!editable && m_editing) {
        EndEdit();
    }
}

bool DPIControl::IsEditing() const {
    return m_editing;
}

QRect DPIControl::ValueArea() const {
    return QRect(8, height() / 2 - 15, width() - 16, 30);
}

void DPIControl::resizeEvent(QResizeEvent* event) {
    MCheckable::resizeEvent(event);
    m_editor->setGeometry(ValueArea());
}

void DPIControl::BeginEdit() {
    if (!m_editable || m_editing || !isEnabled()) {
        return;
    }
    m_editing = true;
    m_valueBeforeEdit = m_value;
    QFont font = TitleFont();
    font.setPixelSize(20);
    font.setWeight(QFont::Bold);
    m_editor->setFont(font);
    m_editor->setGeometry(ValueArea());
    m_editor->setText(QString::number(m_value));
    m_editor->selectAll();
    m_editor->show();
    m_editor->setFocus(Qt::MouseFocusReason);
    update();
    Notify(kEventEditBegin, 0);
}

void DPIControl::EndEdit() {
    if (!m_editing) {
        return;
    }
    m_value = GetValue();
    m_editing = false;
    m_editor->hide();
    update();
    Notify(kEventEditEnd, 0);
}

bool DPIControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editor && m_editing) {
        if (event->type() == QEvent::FocusOut) {
            EndEdit();
        } else if (event->type() == QEvent::KeyPress &&
                   static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            m_editor->setText(QString::number(m_valueBeforeEdit));
            EndEdit();
            return true;
        }
    }
    return MCheckable::eventFilter(watched, event);
}

void DPIControl::OnClicked() {
    SetCheck(true);
    Notify(kEventClick, 1);
}

void DPIControl::mouseDoubleClickEvent(QMouseEvent* event) {
    BeginEdit();
    event->accept();
}

void DPIControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int state = State();
    const bool checked = GetCheck();
    const bool enabled = isEnabled();
    const QColor stage = Theme::ColorRef(m_color);
    const QRectF tile = QRectF(rect()).adjusted(1, 1, -1, -1);

    if (!m_image.IsNull()) {
        m_image.Draw(painter, rect(), CheckState());
    } else {
        QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
        if (checked && enabled) {
            QColor top = stage;
            top.setAlpha(50);
            fill.setColorAt(0, top);
            fill.setColorAt(0.6, Theme::Argb(0xFF17232E));
            fill.setColorAt(1, Theme::Argb(0xFF141E28));
        } else {
            fill.setColorAt(0, Theme::Argb(state == 1 ? 0xFF1E2C39 : 0xFF19252F));
            fill.setColorAt(1, Theme::Argb(0xFF141E28));
        }
        // Checked, the tile is outlined in its stage colour, softened towards the text colour so
        // pure primaries do not glare.
        const QColor text = Theme::Argb(Theme::kText);
        QColor soft;
        soft.setRgbF(stage.redF() * 0.7 + text.redF() * 0.3,
                     stage.greenF() * 0.7 + text.greenF() * 0.3,
                     stage.blueF() * 0.7 + text.blueF() * 0.3);
        QColor edge = checked && enabled
                          ? soft
                          : Theme::Argb(state == 1 ? Theme::kBorderHigh : Theme::kBorder);
        if (!enabled) {
            edge = Theme::Argb(0xFF1E2A35);
        }
        painter.setPen(QPen(edge, checked ? 1.6 : 1.0));
        painter.setBrush(fill);
        painter.drawRoundedRect(tile, 10, 10);
    }

    // Title at the top, the value in the middle, a bar in the stage colour at the bottom.
    QColor title = Theme::Argb(checked && enabled ? Theme::kText : Theme::kTextDim);
    if (!enabled) {
        title = Theme::Argb(Theme::kTextDisabled);
    }
    DrawText(painter, QRect(6, 8, width() - 12, 18), GetTitle(), title);
    if (!m_editing) {
        QFont big = TitleFont();
        big.setPixelSize(22);
        big.setWeight(QFont::Bold);
        painter.setFont(big);
        painter.setPen(enabled ? (checked ? QColor(255, 255, 255) : Theme::Argb(Theme::kText))
                               : Theme::Argb(Theme::kTextDisabled));
        painter.drawText(ValueArea(), Qt::AlignCenter, QString::number(m_value));
    }
    QColor bar = stage;
    if (!enabled) {
        bar.setAlpha(60);
    } else if (!checked) {
        bar.setAlpha(150);
    }
    const qreal barWidth = checked ? width() * 0.56 : width() * 0.36;
    const QRectF barRect((width() - barWidth) / 2, height() - 18, barWidth, 5);
    if (checked && enabled) {
        QColor glow = stage;
        glow.setAlpha(70);
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawRoundedRect(barRect.adjusted(-3, -3, 3, 3), 5, 5);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(bar);
    painter.drawRoundedRect(barRect, 2.5, 2.5);
}

}  // namespace PeliskUI
