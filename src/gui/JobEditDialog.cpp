#include "JobEditDialog.h"

#include "AppIcon.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

QStringList CompatFlagCaptions()
{
    static const char* const flags[] = {
        QT_TRANSLATE_NOOP("JobEditDialog", "1: Slow HDD Access"),
        QT_TRANSLATE_NOOP("JobEditDialog", "2: No DVD9 Support"),
        QT_TRANSLATE_NOOP("JobEditDialog", "3: Kill HD Loader"),
        QT_TRANSLATE_NOOP("JobEditDialog", "4: Date/time fix 2"),
        QT_TRANSLATE_NOOP("JobEditDialog", "5: Date/time fix 3"),
        QT_TRANSLATE_NOOP("JobEditDialog", "6: No Network Support"),
        QT_TRANSLATE_NOOP("JobEditDialog", "7: Disable CzC Patch"),
        QT_TRANSLATE_NOOP("JobEditDialog", "8: Soul Calibur 2 / Suikoden V")};
    QStringList captions;
    for (const char* f : flags)
        captions << JobEditDialog::tr(f);
    return captions;
}

JobEditDialog::JobEditDialog(const Job& job, QWidget* parent) : QDialog(parent), m_job(job)
{
    setObjectName(QStringLiteral("jobEditor"));
    setWindowTitle(tr("Change Job"));
    setWindowIcon(AppIcon());
    m_name = new QLineEdit(job.name, this);
    m_name->setObjectName(QStringLiteral("jobNameEdit"));
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("jobTypeCombo"));
    m_type->addItems({tr("CD-ROM"), tr("DVD-ROM")});
    m_type->setCurrentIndex(job.type == DiscType::CD ? 0 : 1);
    auto* flagsBox = new QGroupBox(tr("Compatibility Flags"), this);
    auto* flagGrid = new QGridLayout(flagsBox);
    const QStringList captions = CompatFlagCaptions();
    for (int i = 0; i < captions.size(); ++i) {
        auto* c = new QCheckBox(captions[i], flagsBox);
        c->setObjectName(QStringLiteral("jobFlag%1").arg(i + 1));
        c->setChecked(job.flags.has(i + 1));
        flagGrid->addWidget(c, i % 4, i / 4);
        m_flags << c;
    }
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("jobEditProblem"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    connect(m_name, &QLineEdit::textEdited, m_problem, &QWidget::hide);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &JobEditDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(tr("Game &Name:"), m_name);
    form->addRow(tr("&Type:"), m_type);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(flagsBox);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 40);
}

Job JobEditDialog::job() const
{
    Job changed = m_job;
    changed.name = TrimGameName(m_name->text());
    changed.type = m_type->currentIndex() == 0 ? DiscType::CD : DiscType::DVD;
    QList<bool> ticked;
    for (QCheckBox* c : m_flags)
        ticked << c->isChecked();
    changed.flags = CompatFlags::fromTicked(ticked);
    return changed;
}

void JobEditDialog::accept()
{
    // The same words as when the game was queued.
    const QString name = TrimGameName(m_name->text());
    QString problem;
    if (name.isEmpty())
        problem = tr("The game needs a name.");
    else if (const std::optional<Problem> p = GameNameProblem(name))
        problem = ProblemText(*p);
    else {
        QDialog::accept();
        return;
    }
    m_problem->setText(problem);
    m_problem->show();
    m_name->setFocus();
}
