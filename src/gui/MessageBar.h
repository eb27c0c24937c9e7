#pragma once

#include <QFrame>
#include <QStringList>

#include <functional>

class QLabel;
class QPushButton;
class QToolButton;

// A band across the top of the window that says something without stopping anything: no
// modal box while a run goes on. It holds the latest messages until closed.
class MessageBar : public QFrame
{
    Q_OBJECT
public:
    explicit MessageBar(QWidget* parent = nullptr);

    void say(const QString& text);
    // Something done that can be taken back: the text with a button for it, alone in the bar.
    void offer(const QString& text, const QString& actionText, std::function<void()> action);
    QStringList texts() const { return m_texts; }
    void dismiss();

    // The most kept at once; older ones give way.
    static constexpr int kKept = 3;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QStringList m_texts;
    void setWarning(bool warning);

    QLabel* m_icon;
    QLabel* m_text;
    QPushButton* m_action;
    QToolButton* m_close;
    std::function<void()> m_do;
};
