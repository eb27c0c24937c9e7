#pragma once

#include <QFrame>
#include <QStringList>

class QLabel;
class QToolButton;

// A band across the top of the window that says something without stopping anything: no
// modal box while a run goes on. It holds the latest messages until closed.
class MessageBar : public QFrame
{
    Q_OBJECT
public:
    explicit MessageBar(QWidget* parent = nullptr);

    void say(const QString& text);
    QStringList texts() const { return m_texts; }
    void dismiss();

    // The most kept at once; older ones give way.
    static constexpr int kKept = 3;

private:
    QStringList m_texts;
    QLabel* m_text;
    QToolButton* m_close;
};
