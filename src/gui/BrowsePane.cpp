#include "BrowsePane.h"

#include "core/session/GameListModel.h"

#include "Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QShortcut>
#include <QStyle>
#include <QStyledItemDelegate>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
// A picture mark before the title of a game the launcher has pictures of.
class ArtMarkDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(GameListModel::ArtRole).toStringList().isEmpty())
            return;
        // Made once a game has pictures: a picture is a file to read, and a start has no need.
        if (m_mark.isNull()) {
            const QWidget* view = option->widget;
            m_mark = QIcon::fromTheme(
                QStringLiteral("image-x-generic"),
                (view ? view->style() : QApplication::style())->standardIcon(QStyle::SP_FileIcon));
        }
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->icon = m_mark;
        const int side = option->fontMetrics.height();
        option->decorationSize = QSize(side, side);
    }

private:
    mutable QIcon m_mark;
};
} // namespace

BrowsePane::BrowsePane(QWidget* parent)
    : QGroupBox(tr("Browse, Backup, and Delete - %n Games", nullptr, 0), parent)
{
    setObjectName(QStringLiteral("browsePane"));
    m_gameList = new QTreeView(this);
    m_gameList->setObjectName(QStringLiteral("gameList"));
    m_gameList->setAccessibleName(tr("Games on the disk"));
    m_gameList->setRootIsDecorated(false);
    m_gameList->setUniformRowHeights(true);
    m_gameList->setAlternatingRowColors(true);
    m_gameList->header()->setStretchLastSection(false);
    m_gameList->setSortingEnabled(true);
    m_gameList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_gameList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gameList->setTextElideMode(Qt::ElideRight);
    m_gameList->setItemDelegateForColumn(GameListModel::Title, new ArtMarkDelegate(m_gameList));

    m_filterEdit = new QLineEdit(this);
    m_filterEdit->setObjectName(QStringLiteral("filterEdit"));
    m_filterEdit->setPlaceholderText(tr("Filter by title or startup"));
    m_filterEdit->setAccessibleName(tr("Filter (Ctrl+F)"));
    m_filterEdit->setClearButtonEnabled(true);

    auto makeButton = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(tr(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setEnabled(false);
        return b;
    };
    m_copyToDiskButton = makeButton("copyToDiskButton", QT_TR_NOOP("&Copy to HDD"));
    m_copyToPs2Button = makeButton("copyToPs2Button", QT_TR_NOOP("C&opy to PS2"));
    m_copyToPcButton = makeButton("copyToPcButton", QT_TR_NOOP("Copy to &PC"));
    m_deleteButton = makeButton("deleteButton", QT_TR_NOOP("&Delete"));
    m_renameButton = makeButton("renameButton", QT_TR_NOOP("Re&name..."));
    m_flagsButton = makeButton("flagsButton", QT_TR_NOOP("Fla&gs..."));
    m_launcherButton = makeButton("launcherButton", QT_TR_NOOP("Cover && Sett&ings..."));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_copyToDiskButton);
    buttons->addWidget(m_copyToPs2Button);
    buttons->addWidget(m_copyToPcButton);
    buttons->addWidget(m_deleteButton);
    // The changes of one game under the list with the copies, the filter alone above: a narrow
    // window keeps room to type in it.
    auto* edits = new QHBoxLayout;
    edits->addWidget(m_renameButton);
    edits->addWidget(m_flagsButton);
    edits->addWidget(m_launcherButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filterEdit);
    layout->addWidget(m_gameList, 1);
    layout->addLayout(buttons);
    layout->addLayout(edits);

    connect(m_filterEdit, &QLineEdit::textChanged, this, &BrowsePane::filterChanged);
    connect(m_copyToPcButton, &QPushButton::clicked, this, &BrowsePane::copyToPcAsked);
    connect(m_copyToPs2Button, &QPushButton::clicked, this, &BrowsePane::copyToPs2Asked);
    connect(m_copyToDiskButton, &QPushButton::clicked, this, [this] {
        if (m_copyMenu)
            m_copyMenu->popup(
                m_copyToDiskButton->mapToGlobal(QPoint(0, m_copyToDiskButton->height())));
    });
    connect(m_deleteButton, &QPushButton::clicked, this, &BrowsePane::deleteAsked);
    connect(m_renameButton, &QPushButton::clicked, this, &BrowsePane::renameAsked);
    connect(m_flagsButton, &QPushButton::clicked, this, &BrowsePane::flagsAsked);
    connect(m_launcherButton, &QPushButton::clicked, this, &BrowsePane::launcherFilesAsked);
    auto* remove = new QShortcut(QKeySequence(QKeySequence::Delete), m_gameList);
    remove->setContext(Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, [this] {
        // The key does what the button would, and only when it would.
        if (m_deleteButton->isEnabled())
            emit deleteAsked();
    });
}

void BrowsePane::setGames(QAbstractItemModel* games)
{
    m_gameList->setModel(games);
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(games, signal, this, &BrowsePane::showEmptyText);
    connect(games, &QAbstractItemModel::modelReset, this, &BrowsePane::showEmptyText);
    connect(games, &QAbstractItemModel::layoutChanged, this, &BrowsePane::showEmptyText);
    // The tool's order until a header is clicked.
    m_gameList->sortByColumn(-1, Qt::AscendingOrder);
    connect(m_gameList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &BrowsePane::chosenChanged);
    connect(m_gameList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &BrowsePane::chosenChanged);
}

QList<QModelIndex> BrowsePane::chosenRows() const
{
    const QItemSelectionModel* selection = m_gameList->selectionModel();
    return selection ? selection->selectedRows() : QList<QModelIndex>();
}

void BrowsePane::showGameCount(int count)
{
    setTitle(tr("Browse, Backup, and Delete - %n Games", nullptr, count));
}

void BrowsePane::setCopyMenu(QMenu* menu)
{
    m_copyMenu = menu;
}

void BrowsePane::sizeColumns(const QByteArray& kept)
{
    // The design widths, widened where the font needs more room for a typical value.
    const QFontMetrics fm(m_gameList->font());
    auto width = [&](int twips, const char* sample) {
        return std::max(Twips(this, twips), fm.horizontalAdvance(QLatin1String(sample)) + 16);
    };
    const int widths[] = {width(1070, "SLUS_000.00"), width(720, "00.00GB"), width(540, "DVD"),
                          width(690, "+1+2+3")};
    for (int i = 1; i < 5; ++i)
        m_gameList->setColumnWidth(i, widths[i - 1]);
    // Widths the user chose win over the design's; the title takes the room a wider window
    // gives.
    m_gameList->header()->restoreState(kept);
    m_gameList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
}

QByteArray BrowsePane::columnState() const
{
    return m_gameList->header()->saveState();
}

void BrowsePane::applyControls(const ControlState& state)
{
    m_copyToPcButton->setEnabled(state.copyToPC);
    m_copyToPs2Button->setEnabled(state.copyToPS2);
    for (QPushButton* b : {m_copyToPcButton, m_copyToPs2Button})
        b->setToolTip(state.gamesTip);
    m_deleteButton->setEnabled(state.deleteGames);
    m_deleteButton->setToolTip(state.deleteTip);
    for (QPushButton* b : {m_renameButton, m_flagsButton}) {
        b->setEnabled(state.modifyGame);
        b->setToolTip(state.modifyTip);
    }
    m_launcherButton->setEnabled(state.launcherFiles);
    m_launcherButton->setToolTip(state.launcherTip.isEmpty()
                                     ? tr("The game's cover and other pictures, and its own "
                                          "settings, where the PS2's launcher keeps them.")
                                     : state.launcherTip);
    m_copyToDiskButton->setEnabled(state.copyToDisk);
    m_copyToDiskButton->setToolTip(state.copyToDiskTip.isEmpty() ? state.gamesTip
                                                                 : state.copyToDiskTip);
}

void BrowsePane::focusFilter()
{
    m_filterEdit->setFocus(Qt::ShortcutFocusReason);
    m_filterEdit->selectAll();
}

void BrowsePane::setEmptyText(const QString& text)
{
    if (!m_emptyLabel) {
        // Over the list's empty area, where the games would be.
        m_emptyLabel = new QLabel(m_gameList->viewport());
        m_emptyLabel->setObjectName(QStringLiteral("emptyListLabel"));
        m_emptyLabel->setWordWrap(true);
        m_emptyLabel->setAlignment(Qt::AlignCenter);
        m_emptyLabel->setForegroundRole(QPalette::PlaceholderText);
        m_emptyLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* layout = new QVBoxLayout(m_gameList->viewport());
        layout->addWidget(m_emptyLabel);
    }
    m_emptyLabel->setText(text);
    showEmptyText();
}

QString BrowsePane::emptyText() const
{
    return m_emptyLabel && !m_emptyLabel->isHidden() ? m_emptyLabel->text() : QString();
}

void BrowsePane::showEmptyText()
{
    if (m_emptyLabel)
        m_emptyLabel->setVisible(!m_gameList->model() || m_gameList->model()->rowCount() == 0);
}
