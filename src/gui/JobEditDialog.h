#pragma once

#include "core/jobs/Job.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The compatibility flags' captions, "1: Slow HDD Access" to "8: ...", in the user's language.
QStringList CompatFlagCaptions();

// Changes a waiting install: the game's name, its type and its flags. A name the tool
// could not take keeps the dialog open with the reason.
class JobEditDialog : public QDialog
{
    Q_OBJECT
public:
    JobEditDialog(const Job& job, QWidget* parent = nullptr);
    // The job as changed (meaningful once accepted).
    Job job() const;
    void accept() override;

private:
    Job m_job;
    QLineEdit* m_name;
    QComboBox* m_type;
    QList<QCheckBox*> m_flags;
    QLabel* m_problem;
};
