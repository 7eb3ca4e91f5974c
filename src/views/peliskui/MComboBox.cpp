#include "views/peliskui/MComboBox.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

namespace {

constexpr int kRowHeight = 30;
constexpr int kVisibleRows = 9;

QString Css(uint32_t argb) {
    const QColor c = Theme::Argb(argb);
    return QStringLiteral("rgba(%1,%2,%3,%4)")
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue())
        .arg(c.alpha());
}

}  // namespace

MComboBox::MComboBox(QWidget* parent) : MControlFont(parent), m_listTextColor(Theme::kText) {
    SetClickable(true);
    SetVAlignment(kAlignVCenter);
}

MComboBox::~MComboBox() {
    delete m_popup;
}

int MComboBox::AddItem(const QString& text, int64_t data) {
    m_items.push_back({text, data});
    return int(m_items.size()) - 1;
}

void MComboBox::DelAllItems() {
    m_items.clear();
    m_current = -1;
    SetTitle(QString());
    if (m_popup) {
        m_popup->hide();
    }
}

bool MComboBox::SetCurSel(int index) {
    if (index < -1 || index >= int(m_items.size())) {
        return false;
    }
    m_current = index;
    SetTitle(index >= 0 ? m_items[index].text : QString());
    update();
    return true;
}

bool MComboBox::SelectData(int64_t data) {
    for (int i = 0; i < int(m_items.size()); ++i) {
        if (m_items[i].data == data) {
            return SetCurSel(i);
        }
    }
    return false;
}

int64_t MComboBox::GetCurData() const {
    return m_current >= 0 && m_current < int(m_items.size()) ? m_items[m_current].data : 0;
}

bool MComboBox::SetItemText(int index, const QString& text) {
    if (index < 0 || index >= int(m_items.size())) {
        return false;
    }
    m_items[index].text = text;
    if (index == m_current) {
        SetTitle(text);
    }
    return true;
}

QString MComboBox::GetItemText(int index) const {
    return index >= 0 && index < int(m_items.size()) ? m_items[index].text : QString();
}

int64_t MComboBox::GetItemData(int index) const {
    return index >= 0 && index < int(m_items.size()) ? m_items[index].data : 0;
}

void MComboBox::SetTextColorEx(uint32_t argb) {
    m_listTextColor = argb;
}

void MComboBox::OnClicked() {
    ShowDropDown();
}

bool MComboBox::IsDroppedDown() const {
    return m_popup && m_popup->isVisible();
}

void MComboBox::ChooseItem(int index) {
    if (m_popup) {
        m_popup->hide();
    }
    if (!SetCurSel(index) || index < 0) {
        return;
    }
    Notify(kEventClick, index);
}

void MComboBox::ShowDropDown() {
    if (m_items.isEmpty() || !isEnabled()) {
        return;
    }
    if (!m_popup) {
        m_popup = new QListWidget(nullptr);
        m_popup->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
        m_popup->setAttribute(Qt::WA_TranslucentBackground);
        m_popup->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_popup->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        m_popup->setFocusPolicy(Qt::StrongFocus);
        m_popup->setMouseTracking(true);
        connect(m_popup, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { ChooseItem(m_popup->row(item)); });
        connect(m_popup, &QListWidget::itemActivated, this,
                [this](QListWidgetItem* item) { ChooseItem(m_popup->row(item)); });
    }
    m_popup->setStyleSheet(
        QStringLiteral(
            "QListWidget { background: %1; border: 1px solid %2; border-radius: 8px; color: %3;"
            " padding: 4px; outline: none; }"
            "QListWidget::item { height: %4px; padding-left: 8px; border-radius: 5px; }"
            "QListWidget::item:hover { background: %5; }"
            "QListWidget::item:selected { background: %6; color: %7; }"
            "QScrollBar:vertical { width: 6px; background: transparent; margin: 4px 1px; }"
            "QScrollBar::handle:vertical { background: %2; border-radius: 3px; min-height: 24px; }"
            "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }"
            "QScrollBar::add-page, QScrollBar::sub-page { background: transparent; }")
            .arg(Css(0xF5141D26), Css(Theme::kBorderHigh), Css(m_listTextColor))
            .arg(kRowHeight)
            .arg(Css(0xFF22323F), Css(0x6627B5FF), Css(Theme::kTextBright)));
    m_popup->setFont(TitleFont());
    m_popup->clear();
    for (const Item& item : m_items) {
        m_popup->addItem(item.text);
    }
    if (m_current >= 0) {
        m_popup->setCurrentRow(m_current);
    }
    const int rows = std::min<int>(kVisibleRows, int(m_items.size()));
    const int height = rows * kRowHeight + 10;
    QPoint at = mapToGlobal(QPoint(0, this->height() + 4));
    if (QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        if (at.y() + height > area.bottom()) {
            at = mapToGlobal(QPoint(0, -height - 4));
        }
    }
    m_popup->setGeometry(QRect(at, QSize(width(), height)));
    m_popup->show();
    if (m_current >= 0) {
        m_popup->scrollToItem(m_popup->item(m_current), QAbstractItemView::PositionAtCenter);
    }
    m_popup->setFocus();
}

void MComboBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int state = IsDroppedDown() ? 1 : State();
    if (m_image.IsNull()) {
        PlainDraw::Field(painter, rect(), state, IsDroppedDown());
    } else {
        m_image.Draw(painter, rect(), state);
    }
    const int arrow = std::min(height(), 28);
    DrawTitle(painter, rect().adjusted(12, 0, -arrow - 4, 0), TitleColor());
    QColor chevron = Theme::Argb(state == 1 ? Theme::kAccent : Theme::kText);
    if (state == 3) {
        chevron = Theme::Argb(Theme::kTextDisabled);
    }
    PlainDraw::Chevron(painter, QRectF(width() - arrow - 4, 0, arrow, height()), chevron,
                       IsDroppedDown());
}

}  // namespace PeliskUI
