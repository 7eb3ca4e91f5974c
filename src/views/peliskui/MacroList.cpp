#include "views/peliskui/MacroList.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

MacroList::MacroList(QWidget* parent) : MRowList(parent), m_editor(new QLineEdit(this)) {
    SetRowHeight(36);
    m_editor->hide();
    m_editor->setFrame(false);
    m_editor->setMaxLength(64);
    m_editor->installEventFilter(this);
    m_editor->setStyleSheet(
        QStringLiteral("QLineEdit { background: #0D141B; border: 1px solid %1; border-radius: 5px;"
                       " color: #ffffff; padding: 0 6px; selection-background-color: %1; }")
            .arg(Theme::Argb(Theme::kAccent).name()));
    connect(m_editor, &QLineEdit::returnPressed, this, [this] { FinishRename(true); });
}

int MacroList::AddItem(const QString& text, int64_t data) {
    m_items.push_back({text, data});
    update();
    return int(m_items.size()) - 1;
}

bool MacroList::DeleteItem(int row) {
    if (row < 0 || row >= int(m_items.size())) {
        return false;
    }
    if (m_renaming >= 0) {
        FinishRename(false);
    }
    m_items.removeAt(row);
    if (m_current == row) {
        m_current = -1;
    } else if (m_current > row) {
        --m_current;
    }
    RowsChanged();
    return true;
}

void MacroList::DelAllItems() {
    if (m_renaming >= 0) {
        FinishRename(false);
    }
    m_items.clear();
    m_current = -1;
    RowsChanged();
}

QString MacroList::GetItemText(int row) const {
    return row >= 0 && row < int(m_items.size()) ? m_items[row].text : QString();
}

bool MacroList::SetItemText(int row, const QString& text) {
    if (row < 0 || row >= int(m_items.size())) {
        return false;
    }
    m_items[row].text = text;
    update();
    return true;
}

int64_t MacroList::GetItemData(int row) const {
    return row >= 0 && row < int(m_items.size()) ? m_items[row].data : 0;
}

int MacroList::FindData(int64_t data) const {
    for (int i = 0; i < int(m_items.size()); ++i) {
        if (m_items[i].data == data) {
            return i;
        }
    }
    return -1;
}

void MacroList::BeginRename(int row) {
    if (!isEnabled() || row < 0 || row >= int(m_items.size())) {
        return;
    }
    if (m_renaming >= 0) {
        FinishRename(true);
    }
    m_renaming = row;
    EnsureVisible(row);
    const QRect area = RowRect(row).adjusted(8, 4, -34, -4);
    m_editor->setGeometry(area);
    m_editor->setFont(TitleFont());
    m_editor->setText(m_items[row].text);
    m_editor->selectAll();
    m_editor->show();
    m_editor->setFocus(Qt::MouseFocusReason);
}

void MacroList::FinishRename(bool keep) {
    const int row = m_renaming;
    if (row < 0) {
        return;
    }
    m_renaming = -1;
    m_editor->hide();
    if (!keep || row >= int(m_items.size())) {
        update();
        return;
    }
    m_items[row].text = m_editor->text().trimmed();
    update();
    Notify(kEventEditEnd, row);
}

bool MacroList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editor && m_renaming >= 0) {
        if (event->type() == QEvent::FocusOut) {
            FinishRename(true);
        } else if (event->type() == QEvent::KeyPress &&
                   static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            FinishRename(false);
            return true;
        }
    }
    return MRowList::eventFilter(watched, event);
}

void MacroList::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int row = RowAt(at);
    if (event->button() == Qt::LeftButton && row >= 0 && !MoreRect(row).contains(at)) {
        BeginRename(row);
        event->accept();
        return;
    }
    MRowList::mouseDoubleClickEvent(event);
}

void MacroList::DrawRow(QPainter& painter, int row, const QRect& area, bool selected) const {
    if (row == m_renaming) {
        return;
    }
    // A small macro mark, then the name.
    const QRectF mark(area.left() + 14, area.center().y() - 7, 14, 14);
    QColor markColor = selected ? Theme::Argb(Theme::kAccent) : Theme::Argb(Theme::kTextDim);
    if (!isEnabled()) {
        markColor = Theme::Argb(Theme::kTextDisabled);
    }
    painter.save();
    painter.setPen(QPen(markColor, 1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(mark, 3, 3);
    painter.drawLine(QPointF(mark.left() + 4, mark.top() + 5),
                     QPointF(mark.right() - 4, mark.top() + 5));
    painter.drawLine(QPointF(mark.left() + 4, mark.top() + 9),
                     QPointF(mark.right() - 6, mark.top() + 9));
    painter.restore();
    QColor text = selected ? Theme::Argb(Theme::kTextBright) : TitleColor();
    DrawText(painter, area.adjusted(38, 0, -34, 0), m_items[row].text, text);
}

}  // namespace PeliskUI
