#include "JobPane.h"

#include "core/jobs/JobListModel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
// A job with a problem found before it runs shows a warning sign before its result;
// the result's tooltip says what the problem is.
class WarningDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() != 0 || index.data(JobListModel::WarningRole).toString().isEmpty())
            return;
        // Made once: a view sizes its columns from every row, and a long queue may warn on all.
        if (m_warning.isNull()) {
            const QWidget* view = option->widget;
            m_warning = (view ? view->style() : QApplication::style())
                            ->standardIcon(QStyle::SP_MessageBoxWarning);
        }
        option->icon = m_warning;
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->decorationSize = QSize(16, 16);
    }

private:
    mutable QIcon m_warning;
};
} // namespace

JobPane::JobPane(QWidget* parent) : QGroupBox(tr("Job Queue"), parent)
{
    setObjectName(QStringLiteral("jobPane"));
    auto makeButton = [this](const char* name, const char* caption, bool enabled) {
        auto* b = new QPushButton(tr(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setEnabled(enabled);
        return b;
    };
    startButton = makeButton("startButton", QT_TR_NOOP("&Start Job Queue"), false);
    removeButton = makeButton("removeButton", QT_TR_NOOP("Remove &Job"), false);
    clearButton = makeButton("clearButton", QT_TR_NOOP("&Clear Jobs"), false);
    controlsButton = makeButton("controlsButton", QT_TR_NOOP("&Go Back to Main Window"), true);

    jobList = new QTreeView(this);
    jobList->setObjectName(QStringLiteral("jobList"));
    jobList->setRootIsDecorated(false);
    jobList->setUniformRowHeights(true);
    jobList->setAlternatingRowColors(true);
    jobList->setSelectionMode(QAbstractItemView::SingleSelection);
    jobList->setSelectionBehavior(QAbstractItemView::SelectRows);
    jobList->setItemDelegateForColumn(0, new WarningDelegate(jobList));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(startButton);
    buttons->addWidget(removeButton);
    buttons->addWidget(clearButton);
    buttons->addStretch();
    buttons->addWidget(controlsButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(jobList, 1);
    connect(startButton, &QPushButton::clicked, this, &JobPane::startAsked);
    connect(removeButton, &QPushButton::clicked, this, &JobPane::removeAsked);
    connect(clearButton, &QPushButton::clicked, this, &JobPane::clearAsked);
    connect(controlsButton, &QPushButton::clicked, this, &JobPane::backAsked);
}

void JobPane::applyControls(const ControlState& state)
{
    for (QPushButton* b : {startButton, removeButton, clearButton})
        b->setEnabled(state.jobButtons);
}
