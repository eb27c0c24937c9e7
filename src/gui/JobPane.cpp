#include "JobPane.h"

#include "core/jobs/JobListModel.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolButton>
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
    runSelectedButton = makeButton("runSelectedButton", QT_TR_NOOP("R&un Selected"), false);
    runSelectedButton->setToolTip(tr("Runs only the selected jobs now; the others wait."));
    removeButton = makeButton("removeButton", QT_TR_NOOP("Remove &Job"), false);
    clearButton = makeButton("clearButton", QT_TR_NOOP("&Clear Jobs"), false);
    controlsButton = makeButton("controlsButton", QT_TR_NOOP("&Go Back to Main Window"), true);

    jobList = new QTreeView(this);
    jobList->setObjectName(QStringLiteral("jobList"));
    jobList->setRootIsDecorated(false);
    jobList->setUniformRowHeights(true);
    jobList->setAlternatingRowColors(true);
    jobList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    jobList->setSelectionBehavior(QAbstractItemView::SelectRows);
    jobList->setItemDelegateForColumn(0, new WarningDelegate(jobList));
    // Jobs are put in order by dragging them.
    jobList->setDragDropMode(QAbstractItemView::InternalMove);
    jobList->setDefaultDropAction(Qt::MoveAction);
    jobList->setDropIndicatorShown(true);
    jobList->setContextMenuPolicy(Qt::CustomContextMenu);

    // One set of actions for the buttons, the keys and the right-click menu.
    auto action = [this](const char* name, const QString& text, const QKeySequence& keys) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        jobList->addAction(a);
        return a;
    };
    m_runSelected = action("runSelectedAction", tr("Run Now"), {});
    m_edit = action("editJobAction", tr("&Edit..."), QKeySequence(Qt::Key_F2));
    m_moveUp = action("moveUpAction", tr("Move &Up"), QKeySequence(Qt::CTRL | Qt::Key_Up));
    m_moveDown = action("moveDownAction", tr("Move &Down"), QKeySequence(Qt::CTRL | Qt::Key_Down));
    m_remove = action("removeJobAction", tr("&Remove"), QKeySequence(QKeySequence::Delete));
    m_moveUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    m_moveDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("jobMenu"));
    m_menu->addActions({m_runSelected, m_edit});
    m_menu->addSeparator();
    m_menu->addActions({m_moveUp, m_moveDown});
    m_menu->addSeparator();
    m_menu->addAction(m_remove);

    auto arrow = [this](const char* name, QAction* a) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(a->icon());
        b->setToolTip(QStringLiteral("%1 (%2)").arg(
            a->text().remove(u'&'), a->shortcut().toString(QKeySequence::NativeText)));
        b->setAccessibleName(a->text().remove(u'&'));
        connect(b, &QToolButton::clicked, a, &QAction::trigger);
        return b;
    };
    moveUpButton = arrow("moveUpButton", m_moveUp);
    moveDownButton = arrow("moveDownButton", m_moveDown);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(startButton);
    buttons->addWidget(runSelectedButton);
    buttons->addWidget(removeButton);
    buttons->addWidget(clearButton);
    buttons->addWidget(moveUpButton);
    buttons->addWidget(moveDownButton);
    buttons->addStretch();
    buttons->addWidget(controlsButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(jobList, 1);
    connect(startButton, &QPushButton::clicked, this, &JobPane::startAsked);
    connect(runSelectedButton, &QPushButton::clicked, this, &JobPane::runSelectedAsked);
    connect(m_runSelected, &QAction::triggered, this, &JobPane::runSelectedAsked);
    connect(m_edit, &QAction::triggered, this, &JobPane::editAsked);
    connect(jobList, &QTreeView::doubleClicked, this, [this] {
        if (m_edit->isEnabled())
            emit editAsked();
    });
    connect(m_moveUp, &QAction::triggered, this, [this] { emit moveAsked(-1); });
    connect(m_moveDown, &QAction::triggered, this, [this] { emit moveAsked(1); });
    connect(removeButton, &QPushButton::clicked, this, &JobPane::removeAsked);
    connect(m_remove, &QAction::triggered, this, &JobPane::removeAsked);
    connect(clearButton, &QPushButton::clicked, this, &JobPane::clearAsked);
    connect(controlsButton, &QPushButton::clicked, this, &JobPane::backAsked);
    connect(jobList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (jobList->indexAt(at).isValid())
            m_menu->popup(jobList->viewport()->mapToGlobal(at));
    });
    applySelection();
}

void JobPane::setJobs(QAbstractItemModel* jobs)
{
    jobList->setModel(jobs);
    connect(jobList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &JobPane::applySelection);
    // Rows moved keep their selection; the buttons follow where it went.
    connect(jobs, &QAbstractItemModel::rowsMoved, this, &JobPane::applySelection);
}

QList<int> JobPane::selectedRows() const
{
    QList<int> rows;
    if (!jobList->selectionModel())
        return rows;
    for (const QModelIndex& i : jobList->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void JobPane::selectRows(const QList<int>& rows)
{
    QItemSelection chosen;
    for (int r : rows)
        chosen.select(jobList->model()->index(r, 0), jobList->model()->index(r, 0));
    jobList->selectionModel()->select(chosen, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
    if (!rows.isEmpty())
        jobList->selectionModel()->setCurrentIndex(jobList->model()->index(rows.first(), 0),
                                                   QItemSelectionModel::NoUpdate);
}

void JobPane::applyControls(const ControlState& state)
{
    m_editable = state.jobButtons;
    for (QPushButton* b : {startButton, clearButton})
        b->setEnabled(state.jobButtons);
    jobList->setDragDropMode(m_editable ? QAbstractItemView::InternalMove
                                        : QAbstractItemView::NoDragDrop);
    applySelection();
}

void JobPane::applySelection()
{
    const QList<int> rows = selectedRows();
    const int count = jobList->model() ? jobList->model()->rowCount() : 0;
    const bool any = m_editable && !rows.isEmpty();
    for (QWidget* w :
         {static_cast<QWidget*>(runSelectedButton), static_cast<QWidget*>(removeButton)})
        w->setEnabled(any);
    m_runSelected->setEnabled(any);
    m_remove->setEnabled(any);
    m_edit->setEnabled(m_editable && rows.size() == 1);
    m_moveUp->setEnabled(any && rows.first() > 0);
    m_moveDown->setEnabled(any && rows.last() < count - 1);
    moveUpButton->setEnabled(m_moveUp->isEnabled());
    moveDownButton->setEnabled(m_moveDown->isEnabled());
}
