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
};
