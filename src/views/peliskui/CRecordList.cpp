#include "views/peliskui/CRecordList.h"

#include <QPainter>

#include "views/peliskui/Theme.h"

namespace PeliskUI {

namespace {

// Icon frame per row kind: 1 delay, 2/3 key press/release, 4/5 mouse press/release, 8...12
// movements.
struct KindIcon {
    int kind;
    int frame;
};
constexpr KindIcon kKindIcons[] = {{1, 0}, {2, 1}, {3, 2},  {4, 3},  {5, 4},
                                   {8, 5}, {9, 5}, {10, 5}, {11, 5}, {12, 5}};

}  // namespace

CRecordList::CRecordList(QWidget* parent) : MRowList(parent) {
    SetRowHeight(30);
}

bool CRecordList::SetIconImage(const QString& name, int states) {
    const bool loaded = m_icons.Load(name, states);
    update();
    return loaded;
}

void CRecordList::SetColumns(int number, int icon, int text) {
    m_numberColumn = number;
    m_iconColumn = icon;
    m_textColumn = text;
    update();
}

int CRecordList::IconFrameOf(int kind) {
    for (const KindIcon& entry : kKindIcons) {
        if (entry.kind == kind) {
            return entry.frame;
        }
    }
    return -1;
}

int CRecordList::AddRow(const Row& row) {
    m_rows.push_back(row);
    RowsChanged();
    return int(m_rows.size()) - 1;
}

int CRecordList::InsertRow(int index, const Row& row) {
    if (index < 0 || index > int(m_rows.size())) {
        index = int(m_rows.size());
    }
    m_rows.insert(index, row);
    if (m_current >= index) {
        ++m_current;
    }
    RowsChanged();
    return index;
}

bool CRecordList::DeleteRow(int index) {
    if (index < 0 || index >= int(m_rows.size())) {
        return false;
    }
    m_rows.removeAt(index);
    if (m_current == index) {
        m_current = -1;
    } else if (m_current > index) {
        --m_current;
    }
    RowsChanged();
    return true;
}

void CRecordList::DelAllItems() {
    m_rows.clear();
    m_current = -1;
    RowsChanged();
}

CRecordList::Row CRecordList::GetRow(int index) const {
    return index >= 0 && index < int(m_rows.size()) ? m_rows[index] : Row{};
}

bool CRecordList::SetRow(int index, const Row& row) {
    if (index < 0 || index >= int(m_rows.size())) {
        return false;
    }
    m_rows[index] = row;
    update();
    return true;
}

bool CRecordList::MoveRow(int from, int to) {
    const int count = int(m_rows.size());
    if (from < 0 || from >= count || to < 0 || to >= count) {
        return false;
    }
    if (from == to) {
        return true;
    }
    m_rows.move(from, to);
    if (m_current == from) {
        m_current = to;
    } else if (from < m_current && m_current <= to) {
        --m_current;
    } else if (to <= m_current && m_current < from) {
        ++m_current;
    }
    EnsureVisible(m_current);
    update();
    return true;
}

void CRecordList::DrawRow(QPainter& painter, int row, const QRect& area, bool selected) const {
    const Row& data = m_rows[row];
    const QColor text = selected ? Theme::Argb(Theme::kTextBright) : TitleColor();
    QColor dim = Theme::Argb(selected ? Theme::kText : Theme::kTextDim);
    if (!isEnabled()) {
        dim = Theme::Argb(Theme::kTextDisabled);
    }
    const int iconWidth = m_textColumn - m_iconColumn;
    DrawText(painter,
             QRect(area.left() + m_numberColumn, area.top(), m_iconColumn - m_numberColumn,
                   area.height())
                 .adjusted(14, 0, 0, 0),
             QString::number(row + 1), dim);
    const int frame = IconFrameOf(data.kind);
    const QRect iconArea(area.left() + m_iconColumn, area.top() + (area.height() - 18) / 2,
                         std::min(iconWidth, 18), 18);
    if (!m_icons.IsNull() && frame >= 0) {
        m_icons.Draw(painter, iconArea, frame, SkinImage::Fit::Center);
    } else if (frame >= 0) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(dim);
        painter.drawEllipse(QRectF(iconArea).center(), 3, 3);
        painter.restore();
    }
    DrawText(painter,
             QRect(area.left() + m_textColumn, area.top(), area.width() - m_textColumn - 30,
                   area.height()),
             data.text, text);
}

}  // namespace PeliskUI
