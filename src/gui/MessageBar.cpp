#include "MessageBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
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

    m_icon = new QLabel(this);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("messageText"));
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("messageClose"));
    m_close->setAutoRaise(true);
    m_close->setToolTip(tr("Close"));
    connect(m_close, &QToolButton::clicked, this, &MessageBar::dismiss);
    m_action = new QPushButton(this);
    m_action->setObjectName(QStringLiteral("messageAction"));
    m_action->hide();
    connect(m_action, &QPushButton::clicked, this, [this] {
        const std::function<void()> act = std::move(m_do);
        dismiss();
        if (act)
            act();
    });

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_icon, 0, Qt::AlignTop);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_action, 0, Qt::AlignVCenter);
    layout->addWidget(m_close, 0, Qt::AlignTop);
    hide();
}

void MessageBar::showEvent(QShowEvent* event)
{
    // The picture is a file to read: read when a message first shows, not at every start.
    if (m_close->icon().isNull())
        m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
    QFrame::showEvent(event);
}

void MessageBar::setWarning(bool warning)
{
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    m_icon->setPixmap(style()
                          ->standardIcon(warning ? QStyle::SP_MessageBoxWarning
                                                 : QStyle::SP_MessageBoxInformation,
                                         nullptr, this)
                          .pixmap(side, side));
}

void MessageBar::offer(const QString& text, const QString& actionText, std::function<void()> action)
{
    dismiss();
    setWarning(false);
    m_texts << text;
    m_text->setText(text);
    m_do = std::move(action);
    m_action->setText(actionText);
    m_action->show();
    show();
}

void MessageBar::say(const QString& text)
{
    // A problem takes the place of an offer: the bar holds one kind at a time.
    if (m_action->isVisible())
        dismiss();
    setWarning(true);
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
    m_do = nullptr;
    m_action->hide();
    hide();
}
