#include "MessageBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

MessageBar::MessageBar(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("messageBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette tinted = palette();
    tinted.setColor(QPalette::Window, tinted.color(QPalette::ToolTipBase));
    tinted.setColor(QPalette::WindowText, tinted.color(QPalette::ToolTipText));
    setPalette(tinted);

    auto* icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    icon->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(side, side));
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("messageText"));
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("messageClose"));
    m_close->setAutoRaise(true);
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
    m_close->setToolTip(tr("Close"));
    connect(m_close, &QToolButton::clicked, this, &MessageBar::dismiss);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_close, 0, Qt::AlignTop);
    hide();
}

void MessageBar::say(const QString& text)
{
    m_texts.removeAll(text);
    m_texts << text;
    while (m_texts.size() > kKept)
        m_texts.removeFirst();
    m_text->setText(m_texts.join(QStringLiteral("\n\n")));
    show();
}

void MessageBar::dismiss()
{
    m_texts.clear();
    m_text->clear();
    hide();
}
