#include "JobPane.h"

#include "Twips.h"

#include "core/jobs/JobListModel.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
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
    m_startButton = makeButton("startButton", QT_TR_NOOP("&Start Job Queue"), false);
    m_runSelectedButton = makeButton("runSelectedButton", QT_TR_NOOP("R&un Selected"), false);
    m_runSelectedButton->setToolTip(tr("Runs only the selected jobs now; the others wait."));
    m_removeButton = makeButton("removeButton", QT_TR_NOOP("Remove &Job"), false);
    m_clearButton = makeButton("clearButton", QT_TR_NOOP("&Clear Jobs"), false);
    m_controlsButton = makeButton("controlsButton", QT_TR_NOOP("&Go Back to Main Window"), true);

    m_jobList = new QTreeView(this);
    m_jobList->setObjectName(QStringLiteral("jobList"));
    m_jobList->setAccessibleName(tr("Jobs"));
    m_jobList->setRootIsDecorated(false);
    m_jobList->setUniformRowHeights(true);
    m_jobList->setAlternatingRowColors(true);
    m_jobList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_jobList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_jobList->setItemDelegateForColumn(0, new WarningDelegate(m_jobList));
    // Jobs are put in order by dragging them.
    m_jobList->setDragDropMode(QAbstractItemView::InternalMove);
    m_jobList->setDefaultDropAction(Qt::MoveAction);
    m_jobList->setDropIndicatorShown(true);
    m_jobList->setContextMenuPolicy(Qt::CustomContextMenu);

    // One set of actions for the buttons, the keys and the right-click menu.
    auto action = [this](const char* name, const QString& text, const QKeySequence& keys) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        m_jobList->addAction(a);
        return a;
    };
    m_runSelected = action("runSelectedAction", tr("Run Now"), {});
    m_edit = action("editJobAction", tr("Ed&it..."), QKeySequence(Qt::Key_F2));
    m_moveUp = action("moveUpAction", tr("Move &Up"), QKeySequence(Qt::CTRL | Qt::Key_Up));
    m_moveDown = action("moveDownAction", tr("Move &Down"), QKeySequence(Qt::CTRL | Qt::Key_Down));
    m_remove = action("removeJobAction", tr("&Remove"), QKeySequence(QKeySequence::Delete));
    m_menu = new QMenu(this);
    // The style's arrow pictures are files to read: read once the menu is first shown, not
    // while the window starts (the buttons draw their own arrows).
    connect(m_menu, &QMenu::aboutToShow, this, [this] {
        if (!m_moveUp->icon().isNull())
            return;
        m_moveUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
        m_moveDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    });
    m_menu->setObjectName(QStringLiteral("jobMenu"));
    m_menu->addActions({m_runSelected, m_edit});
    m_menu->addSeparator();
    m_menu->addActions({m_moveUp, m_moveDown});
    m_menu->addSeparator();
    m_menu->addAction(m_remove);

    auto arrow = [this](const char* name, QAction* a, Qt::ArrowType type) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setArrowType(type);
        b->setToolTip(QStringLiteral("%1 (%2)").arg(
            a->text().remove(u'&'), a->shortcut().toString(QKeySequence::NativeText)));
        b->setAccessibleName(a->text().remove(u'&'));
        connect(b, &QToolButton::clicked, a, &QAction::trigger);
        return b;
    };
    m_moveUpButton = arrow("moveUpButton", m_moveUp, Qt::UpArrow);
    m_moveDownButton = arrow("moveDownButton", m_moveDown, Qt::DownArrow);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_startButton);
    buttons->addWidget(m_runSelectedButton);
    buttons->addWidget(m_removeButton);
    buttons->addWidget(m_clearButton);
    buttons->addWidget(m_moveUpButton);
    buttons->addWidget(m_moveDownButton);
    buttons->addStretch();
    buttons->addWidget(m_controlsButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_jobList, 1);
    connect(m_startButton, &QPushButton::clicked, this, &JobPane::startAsked);
    connect(m_runSelectedButton, &QPushButton::clicked, this, &JobPane::runSelectedAsked);
    connect(m_runSelected, &QAction::triggered, this, &JobPane::runSelectedAsked);
    connect(m_edit, &QAction::triggered, this, &JobPane::editAsked);
    connect(m_jobList, &QTreeView::doubleClicked, this, [this] {
        if (m_edit->isEnabled())
            emit editAsked();
    });
    connect(m_moveUp, &QAction::triggered, this, [this] { emit moveAsked(-1); });
    connect(m_moveDown, &QAction::triggered, this, [this] { emit moveAsked(1); });
    connect(m_removeButton, &QPushButton::clicked, this, &JobPane::removeAsked);
    connect(m_remove, &QAction::triggered, this, &JobPane::removeAsked);
    connect(m_clearButton, &QPushButton::clicked, this, &JobPane::clearAsked);
    connect(m_controlsButton, &QPushButton::clicked, this, &JobPane::backAsked);
    connect(m_jobList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (m_jobList->indexAt(at).isValid())
            m_menu->popup(m_jobList->viewport()->mapToGlobal(at));
    });
    applySelection();
}

void JobPane::setJobs(QAbstractItemModel* jobs)
{
    m_jobList->setModel(jobs);
    connect(m_jobList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &JobPane::applySelection);
    // Rows moved keep their selection; the buttons follow where it went.
    connect(jobs, &QAbstractItemModel::rowsMoved, this, &JobPane::applySelection);
}

QList<int> JobPane::selectedRows() const
{
    QList<int> rows;
    if (!m_jobList->selectionModel())
        return rows;
    for (const QModelIndex& i : m_jobList->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void JobPane::selectRows(const QList<int>& rows)
{
    QItemSelection chosen;
    for (int r : rows)
        chosen.select(m_jobList->model()->index(r, 0), m_jobList->model()->index(r, 0));
    m_jobList->selectionModel()->select(chosen, QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
    if (!rows.isEmpty())
        m_jobList->selectionModel()->setCurrentIndex(m_jobList->model()->index(rows.first(), 0),
                                                     QItemSelectionModel::NoUpdate);
}

void JobPane::applyControls(const ControlState& state)
{
    m_editable = state.jobButtons;
    for (QPushButton* b : {m_startButton, m_clearButton}) {
        b->setEnabled(state.jobButtons);
        b->setToolTip(state.jobsTip);
    }
    m_jobList->setDragDropMode(m_editable ? QAbstractItemView::InternalMove
                                          : QAbstractItemView::NoDragDrop);
    applySelection();
}

void JobPane::applySelection()
{
    const QList<int> rows = selectedRows();
    const int count = m_jobList->model() ? m_jobList->model()->rowCount() : 0;
    const bool any = m_editable && !rows.isEmpty();
    for (QWidget* w :
         {static_cast<QWidget*>(m_runSelectedButton), static_cast<QWidget*>(m_removeButton)})
        w->setEnabled(any);
    m_runSelected->setEnabled(any);
    m_remove->setEnabled(any);
    m_edit->setEnabled(m_editable && rows.size() == 1);
    m_moveUp->setEnabled(any && rows.first() > 0);
    m_moveDown->setEnabled(any && rows.last() < count - 1);
    m_moveUpButton->setEnabled(m_moveUp->isEnabled());
    m_moveDownButton->setEnabled(m_moveDown->isEnabled());
}

void JobPane::showJob(int row)
{
    if (m_jobList->model())
        m_jobList->setCurrentIndex(m_jobList->model()->index(row, 0));
}

void JobPane::sizeColumns(const QByteArray& kept)
{
    const QFontMetrics fm(m_jobList->font());
    auto width = [&](int twips, const char* sample) {
        return std::max(Twips(this, twips), fm.horizontalAdvance(QLatin1String(sample)) + 16);
    };
    // Results and paths are long: a path is shortened in its middle and a long result (an
    // error) too, their whole text in the tooltip. The short columns take what their usual
    // text needs, so that sources, destinations and names get the rest. The result column
    // also holds a warning sign before the text.
    m_jobList->setTextElideMode(Qt::ElideMiddle);
    const int widths[] = {width(900, "Error (No space)") + 22,
                          width(700, "Copy to PC"),
                          Twips(this, 1100),
                          Twips(this, 1100),
                          Twips(this, 1100),
                          width(900, "SLUS_000.00"),
                          width(700, "DVD-ROM"),
                          width(600, "+1+2+3")};
    for (int i = 0; i < 8; ++i)
        m_jobList->setColumnWidth(i, widths[i]);
    // Widths the user chose win over the design's; names, sources and destinations take the
    // room a wider window gives, the short columns keep theirs.
    QHeaderView* header = m_jobList->header();
    header->restoreState(kept);
    header->setStretchLastSection(false);
    for (int column : {2, 3, 4})
        header->setSectionResizeMode(column, QHeaderView::Stretch);
}

QByteArray JobPane::columnState() const
{
    return m_jobList->header()->saveState();
}
