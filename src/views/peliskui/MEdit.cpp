#include "views/peliskui/MEdit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

MEdit::MEdit(QWidget* parent) : MControlFont(parent), m_edit(new QLineEdit(this)) {
    m_edit->setFrame(false);
    // Only a click (or BeginEdit) starts an edit: a field never takes the focus by itself when
    // its window opens, which would report a start of editing nobody asked for.
    m_edit->setFocusPolicy(Qt::ClickFocus);
    m_edit->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_edit->installEventFilter(this);
    ApplyLook();
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        MControlFont::SetTitle(text);
        Notify(kEventEditing, 0);
    });
    connect(m_edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { MControlFont::SetTitle(text); });
    connect(m_edit, &QLineEdit::returnPressed, this, [this] {
        if (m_editing) {
            m_editing = false;
            Notify(kEventEditEnd, 0);
        }
    });
}

void MEdit::ApplyLook() {
    m_appliedColor = GetTextColor();
    const QColor text = Theme::Argb(GetTextColor());
    const QColor hint = Theme::Argb(Theme::kTextDim);
    const QColor selection = Theme::Argb(Theme::kAccent);
    m_edit->setStyleSheet(
        QStringLiteral("QLineEdit { background: transparent; border: none; color: %1;"
                       " selection-background-color: %2; selection-color: #ffffff; padding: 0; }"
                       "QLineEdit:disabled { color: %3; }")
            .arg(text.name(QColor::HexArgb), selection.name(),
                 Theme::Argb(Theme::kTextDisabled).name()));
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::PlaceholderText, hint);
    m_edit->setPalette(palette);
    m_edit->setFont(TitleFont());
    m_edit->setAlignment(TitleAlignment());
}

void MEdit::SetTitle(const QString& title) {
    MControlFont::SetTitle(title);
    if (m_edit->text() != title) {
        m_edit->setText(title);
    }
}

QString MEdit::GetEditText() const {
    return m_edit->text();
}

void MEdit::SetTipInfo(const QString& hint) {
    m_edit->setPlaceholderText(hint);
}

void MEdit::SetReadOnly(bool readOnly) {
    m_edit->setReadOnly(readOnly);
}

void MEdit::SetMaxLength(int length) {
    m_edit->setMaxLength(length);
}

bool MEdit::HasEditFocus() const {
    return m_edit->hasFocus();
}

void MEdit::BeginEdit() {
    m_edit->setFocus(Qt::MouseFocusReason);
    if (!m_editing) {
        m_editing = true;
        Notify(kEventEditBegin, 0);
    }
}

QRect MEdit::TextArea() const {
    return rect().adjusted(8, 1, -8, -1);
}

void MEdit::resizeEvent(QResizeEvent* event) {
    MControlFont::resizeEvent(event);
    m_edit->setGeometry(TextArea());
}

void MEdit::changeEvent(QEvent* event) {
    MControlFont::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        update();
    }
}

bool MEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit) {
        switch (event->type()) {
            case QEvent::FocusIn:
                update();
                if (!m_editing) {
                    m_editing = true;
                    Notify(kEventEditBegin, 0);
                }
                break;
            case QEvent::FocusOut:
                update();
                if (m_editing) {
                    m_editing = false;
                    Notify(kEventEditEnd, 0);
                }
                break;
            case QEvent::Enter:
            case QEvent::Leave:
                update();
                break;
            default:
                break;
        }
    }
    return MControlFont::eventFilter(watched, event);
}

void MEdit::paintEvent(QPaintEvent*) {
    // Keep the inner field's font and colours in step with the control's settings.
    if (m_edit->font() != TitleFont() || m_appliedColor != GetTextColor() ||
        m_edit->alignment() != TitleAlignment()) {
        ApplyLook();
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool focused = m_edit->hasFocus();
    int state = State();
    if (state == 0 && m_edit->underMouse()) {
        state = 1;
    }
    if (m_image.IsNull()) {
        PlainDraw::Field(painter, rect(), state, focused);
    } else {
        m_image.Draw(painter, rect(), focused && state != 3 ? 1 : state);
    }
}

}  // namespace PeliskUI
