#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

// Problems found before something starts, one per line, to go on anyway or stop.
class ProblemListDialog : public QDialog
{
    Q_OBJECT
public:
    ProblemListDialog(const QString& text, const QStringList& items, const QString& acceptText,
                      QWidget* parent = nullptr);
    // Several ways on: the dialog ends with kFirstChoice plus the index of the one chosen.
    ProblemListDialog(const QString& text, const QStringList& items, const QStringList& choices,
                      QWidget* parent = nullptr);
    static constexpr int kFirstChoice = 2;
};
