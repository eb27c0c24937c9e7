#pragma once

#include <QString>

class QWidget;

// Every message box and dialog of the program goes through this seam, so a
// test can answer them without a modal loop.
class Dialogs
{
public:
    enum class Icon { Exclamation, Critical, Information };
    enum class Answer { Yes, No };

    virtual ~Dialogs() = default;
    // A message with an OK button; the title is the program's unless given.
    virtual void message(const QString& text, Icon icon, const QString& title = {}) = 0;
    virtual Answer question(const QString& text, Icon icon, const QString& title = {}) = 0;

    static QString programTitle() { return QStringLiteral("Ventrik"); }
};

// The real dialogs, owned by a window.
class WidgetDialogs : public Dialogs
{
public:
    explicit WidgetDialogs(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }
    void message(const QString& text, Icon icon, const QString& title = {}) override;
    Answer question(const QString& text, Icon icon, const QString& title = {}) override;

private:
    QWidget* m_owner;
};
