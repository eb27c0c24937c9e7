#include "LauncherDialog.h"

#include "DialogFolders.h"
#include "Dialogs.h"
#include "core/session/Session.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <memory>

using launcher::ArtKind;

namespace {
QString KindCaption(ArtKind kind)
{
    switch (kind) {
    case ArtKind::Cover:
        return LauncherDialog::tr("Cover");
    case ArtKind::Icon:
        return LauncherDialog::tr("Icon");
    case ArtKind::Background:
        return LauncherDialog::tr("Background");
    case ArtKind::Logo:
        return LauncherDialog::tr("Logo");
    case ArtKind::Screenshot:
        return LauncherDialog::tr("Screenshot");
    }
    return {};
}

// The same within a sentence.
QString KindNoun(ArtKind kind)
{
    switch (kind) {
    case ArtKind::Cover:
        return LauncherDialog::tr("cover");
    case ArtKind::Icon:
        return LauncherDialog::tr("icon");
    case ArtKind::Background:
        return LauncherDialog::tr("background");
    case ArtKind::Logo:
        return LauncherDialog::tr("logo");
    case ArtKind::Screenshot:
        return LauncherDialog::tr("screenshot");
    }
    return {};
}

const QString kPurpose = QStringLiteral("pictures");
} // namespace

LauncherDialog::LauncherDialog(Session& session, Dialogs& dialogs, const Target& target,
                               const parse::GameRow& game, QWidget* parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs), m_target(target), m_game(game)
{
    setObjectName(QStringLiteral("launcherDialog"));
    setWindowTitle(tr("Launcher Files of %1").arg(game.title));
    setAcceptDrops(true);

    auto* pictures = new QGroupBox(tr("Pictures"), this);
    m_kind = new QComboBox(pictures);
    m_kind->setObjectName(QStringLiteral("artKind"));
    for (const ArtKind k : launcher::AllArtKinds())
        m_kind->addItem(KindCaption(k), static_cast<int>(k));
    auto* kindLabel = new QLabel(tr("&Kind:"), pictures);
    kindLabel->setBuddy(m_kind);
    m_picture = new QLabel(pictures);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setMinimumWidth(320);
    m_picture->setFixedHeight(220);
    m_picture->setFrameShape(QFrame::StyledPanel);
    // No word wrap: a label that wraps takes the height its text needs, not the picture's.
    m_choose = new QPushButton(tr("&Choose Picture..."), pictures);
    m_choose->setObjectName(QStringLiteral("choosePicture"));
    m_paste = new QPushButton(tr("&Paste"), pictures);
    m_paste->setObjectName(QStringLiteral("pastePicture"));
    m_remove = new QPushButton(tr("&Remove"), pictures);
    m_remove->setObjectName(QStringLiteral("removePicture"));
    auto* hint = new QLabel(tr("A picture may also be dropped here. It is converted to PNG at "
                               "the size the launcher shows."),
                            pictures);
    hint->setWordWrap(true);
    hint->setForegroundRole(QPalette::PlaceholderText);
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(kindLabel);
    kindRow->addWidget(m_kind, 1);
    auto* buttonRow = new QHBoxLayout;
    for (QPushButton* b : {m_choose, m_paste, m_remove})
        buttonRow->addWidget(b);
    auto* pictureLayout = new QVBoxLayout(pictures);
    pictureLayout->addLayout(kindRow);
    pictureLayout->addWidget(m_picture, 1);
    pictureLayout->addLayout(buttonRow);
    pictureLayout->addWidget(hint);
    pictureLayout->addStretch();

    auto* settings = new QGroupBox(tr("Settings of the game"), this);
    auto* modes = new QGridLayout;
    for (int i = 0; i < launcher::GameConfig::kModes; ++i) {
        auto* box = new QCheckBox(tr("Mode %1").arg(i + 1), settings);
        box->setObjectName(QStringLiteral("mode%1").arg(i + 1));
        box->setToolTip(tr("The launcher's compatibility mode %1, as its own settings number "
                           "them.")
                            .arg(i + 1));
        modes->addWidget(box, i / 4, i % 4);
        m_modes << box;
    }
    m_card1 = new QLineEdit(settings);
    m_card1->setObjectName(QStringLiteral("card1"));
    m_card2 = new QLineEdit(settings);
    m_card2->setObjectName(QStringLiteral("card2"));
    for (QLineEdit* e : {m_card1, m_card2})
        e->setPlaceholderText(tr("none (the PS2's own card)"));
    m_save = new QPushButton(tr("&Save Settings"), settings);
    m_save->setObjectName(QStringLiteral("saveSettings"));
    auto* form = new QFormLayout;
    auto* card1Label = new QLabel(tr("Memory card &1:"), settings);
    card1Label->setBuddy(m_card1);
    auto* card2Label = new QLabel(tr("Memory card &2:"), settings);
    card2Label->setBuddy(m_card2);
    form->addRow(card1Label, m_card1);
    form->addRow(card2Label, m_card2);
    auto* settingsLayout = new QVBoxLayout(settings);
    settingsLayout->addLayout(modes);
    settingsLayout->addLayout(form);
    settingsLayout->addWidget(m_save, 0, Qt::AlignRight);

    auto* cards = new QGroupBox(tr("Memory cards on the disk"), this);
    m_cards = new QListWidget(cards);
    m_cards->setObjectName(QStringLiteral("cardList"));
    m_cards->setAccessibleName(tr("Memory cards on the disk"));
    m_cards->setMinimumHeight(fontMetrics().height() * 4);
    m_cardOut = new QPushButton(tr("Sa&ve to PC..."), cards);
    m_cardOut->setObjectName(QStringLiteral("saveCard"));
    m_cardIn = new QPushButton(tr("&Load from PC..."), cards);
    m_cardIn->setObjectName(QStringLiteral("loadCard"));
    m_cardDelete = new QPushButton(tr("&Delete Card"), cards);
    m_cardDelete->setObjectName(QStringLiteral("deleteCard"));
    auto* cardButtons = new QHBoxLayout;
    for (QPushButton* b : {m_cardOut, m_cardIn, m_cardDelete})
        cardButtons->addWidget(b);
    auto* cardsLayout = new QVBoxLayout(cards);
    cardsLayout->addWidget(m_cards);
    cardsLayout->addLayout(cardButtons);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("launcherStatus"));
    m_status->setWordWrap(true);
    auto* note =
        new QLabel(tr("The PS2 must not be running a game while its files are changed."), this);
    note->setWordWrap(true);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto* layout = new QVBoxLayout(this);
    // Side by side: the dialog fits a 768-pixel-high screen.
    auto* columns = new QHBoxLayout;
    auto* right = new QVBoxLayout;
    right->addWidget(settings);
    right->addWidget(cards);
    columns->addWidget(pictures);
    columns->addLayout(right);
    layout->addLayout(columns);
    layout->addWidget(note);
    layout->addWidget(m_status);
    layout->addWidget(close);

    // Wide enough that the notes wrap to few lines; high enough for what they then need.
    const int wide =
        std::max(layout->totalSizeHint().width(), fontMetrics().averageCharWidth() * 110);
    // The wrapped notes need more height than a layout's minimum says: their height at this
    // width is the least the dialog may have.
    setMinimumSize(layout->totalMinimumSize().width(), layout->totalHeightForWidth(wide));
    resize(wide, minimumHeight());
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_kind, &QComboBox::currentIndexChanged, this,
            [this] { onDisk([this](auto end) { readPicture(end); }); });
    connect(m_choose, &QPushButton::clicked, this, [this] {
        FileDialogRequest request;
        request.title = tr("Choose a picture for %1").arg(m_game.title);
        request.directory = DialogFolder(m_session.settings(), kPurpose);
        request.filter = tr("Pictures") + QStringLiteral("|*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.webp|");
        request.mustExist = true;
        const std::optional<QString> chosen = m_dialogs.openFile(request);
        if (!chosen || chosen->isEmpty())
            return;
        RememberDialogFolder(m_session.settings(), kPurpose, *chosen);
        givePicture(*chosen);
    });
    connect(m_paste, &QPushButton::clicked, this, &LauncherDialog::pastePicture);
    connect(m_remove, &QPushButton::clicked, this, &LauncherDialog::removePicture);
    connect(m_save, &QPushButton::clicked, this, &LauncherDialog::saveSettings);
    connect(m_cardOut, &QPushButton::clicked, this, &LauncherDialog::saveCard);
    connect(m_cardIn, &QPushButton::clicked, this, &LauncherDialog::loadCard);
    connect(m_cardDelete, &QPushButton::clicked, this, &LauncherDialog::deleteCard);
    connect(m_cards, &QListWidget::currentRowChanged, this, [this] { setBusy(false); });
}

ArtKind LauncherDialog::kind() const
{
    return static_cast<ArtKind>(m_kind->currentData().toInt());
}

void LauncherDialog::setBusy(bool busy)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_kind, m_choose, m_paste, m_save})
        w->setEnabled(!busy);
    m_remove->setEnabled(!busy && m_hasPicture);
    m_cardIn->setEnabled(!busy);
    for (QPushButton* b : {m_cardOut, m_cardDelete})
        b->setEnabled(!busy && !chosenCard().isEmpty());
    if (busy)
        m_status->setText(tr("Reading and writing the disk..."));
}

void LauncherDialog::onDisk(std::function<void(std::function<void()>)> work)
{
    QPointer<LauncherDialog> self(this);
    const bool taken = m_session.onLauncherFiles(m_target, [self, work](std::function<void()> end) {
        work([self, end] {
            end();
            if (self)
                self->setBusy(false);
        });
    });
    if (taken) {
        setBusy(true);
        if (m_session.isBusy())
            return;
        // Done at once (nothing to wait for).
        setBusy(false);
    }
}

void LauncherDialog::load()
{
    QPointer<LauncherDialog> self(this);
    onDisk([self](std::function<void()> end) {
        Session& session = self->m_session;
        session.launcher().locate(self->m_target, [self, end](const auto& place) {
            if (!self || !place)
                return end();
            self->m_partitionMissing = !place->exists;
            self->m_session.launcher().readConfig(
                self->m_target, self->m_game.startup,
                [self, end](const std::optional<launcher::GameConfig>& config) {
                    if (!self)
                        return end();
                    if (config)
                        self->showSettings(*config);
                    self->readPicture([self, end] {
                        if (!self)
                            return end();
                        self->listCards(end);
                    });
                });
        });
    });
}

void LauncherDialog::listCards(std::function<void()> end)
{
    QPointer<LauncherDialog> self(this);
    m_session.launcher().list(
        m_target, QStringLiteral("VMC"),
        [self, end](const std::optional<QList<launcher::PfsEntry>>& entries) {
            if (self) {
                self->m_cards->clear();
                for (const launcher::PfsEntry& e : entries.value_or(QList<launcher::PfsEntry>{})) {
                    if (e.folder || !e.name.endsWith(QLatin1String(".bin")))
                        continue;
                    auto* item = new QListWidgetItem(
                        tr("%1  (%2 KB)").arg(e.name.chopped(4)).arg(e.size / 1024), self->m_cards);
                    item->setData(Qt::UserRole, e.name);
                }
            }
            end();
        });
}

std::optional<QString> LauncherDialog::cardName(const QString& name)
{
    const std::optional<QString> file = launcher::CardFileName(name);
    if (!file)
        m_status->setText(tr("\"%1\" cannot be a memory card's name: letters, digits, '_', "
                             "'-' and '.', no blanks.")
                              .arg(name));
    return file;
}

QString LauncherDialog::chosenCard() const
{
    const QListWidgetItem* item = m_cards->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void LauncherDialog::saveCard()
{
    const QString card = chosenCard();
    if (card.isEmpty())
        return;
    FileDialogRequest request;
    request.title = tr("Save the memory card %1").arg(card.chopped(4));
    request.directory = DialogFolder(m_session.settings(), QStringLiteral("cards"));
    request.fileName = card;
    request.filter = tr("Memory cards") + QStringLiteral("|*.bin|");
    request.defaultSuffix = QStringLiteral("bin");
    request.confirmOverwrite = true;
    const std::optional<QString> chosen = m_dialogs.saveFile(request);
    if (!chosen || chosen->isEmpty())
        return;
    RememberDialogFolder(m_session.settings(), QStringLiteral("cards"), *chosen);
    const QString file = *chosen;
    QPointer<LauncherDialog> self(this);
    onDisk([self, card, file](std::function<void()> end) {
        self->m_session.launcher().get(
            self->m_target, QStringLiteral("VMC"), card, file, [self, file, end](bool ok, bool) {
                end();
                if (self)
                    self->m_status->setText(ok ? tr("Saved to %1.").arg(file)
                                               : tr("The memory card was not saved."));
            });
    });
}

void LauncherDialog::loadCard()
{
    FileDialogRequest request;
    request.title = tr("Choose a memory card for the disk");
    request.directory = DialogFolder(m_session.settings(), QStringLiteral("cards"));
    request.filter = tr("Memory cards") + QStringLiteral("|*.bin|");
    request.mustExist = true;
    const std::optional<QString> chosen = m_dialogs.openFile(request);
    if (!chosen || chosen->isEmpty())
        return;
    RememberDialogFolder(m_session.settings(), QStringLiteral("cards"), *chosen);
    const std::optional<QString> card = cardName(QFileInfo(*chosen).completeBaseName());
    if (!card)
        return;
    for (int i = 0; i < m_cards->count(); ++i) {
        if (m_cards->item(i)->data(Qt::UserRole).toString() == *card &&
            m_dialogs.question(tr("The disk holds a memory card %1 already. Replace it, with "
                                  "every save on it?")
                                   .arg(card->chopped(4)),
                               Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
            return;
    }
    const std::optional<bool> create = mayCreate();
    if (!create)
        return;
    const QString file = *chosen;
    const QString name = *card;
    QPointer<LauncherDialog> self(this);
    onDisk([self, file, name, create](std::function<void()> end) {
        self->m_session.launcher().put(self->m_target, QStringLiteral("VMC"), name, file, *create,
                                       [self, end](bool ok) {
                                           if (!self)
                                               return end();
                                           if (ok)
                                               self->m_partitionMissing = false;
                                           self->listCards(end);
                                       });
    });
}

void LauncherDialog::deleteCard()
{
    const QString card = chosenCard();
    if (card.isEmpty() ||
        m_dialogs.question(tr("Delete the memory card %1 and every save on it from the disk?")
                               .arg(card.chopped(4)),
                           Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
        return;
    QPointer<LauncherDialog> self(this);
    onDisk([self, card](std::function<void()> end) {
        self->m_session.launcher().remove(self->m_target, QStringLiteral("VMC"), card,
                                          [self, end](bool) {
                                              if (!self)
                                                  return end();
                                              self->listCards(end);
                                          });
    });
}

void LauncherDialog::readPicture(std::function<void()> end)
{
    auto dir = std::make_shared<QTemporaryDir>();
    const QString name = launcher::ArtFileName(m_game.startup, kind());
    const QString local = dir->filePath(name);
    QPointer<LauncherDialog> self(this);
    m_session.launcher().get(m_target, QStringLiteral("ART"), name, local,
                             [self, dir, local, end](bool ok, bool) {
                                 if (self)
                                     self->showPicture(ok ? local : QString());
                                 end();
                             });
}

void LauncherDialog::showPicture(const QString& file)
{
    const QImage image = file.isEmpty() ? QImage() : QImage(file);
    m_hasPicture = !image.isNull();
    m_remove->setEnabled(m_hasPicture && m_kind->isEnabled());
    if (image.isNull()) {
        m_picture->setPixmap({});
        m_picture->setText(tr("No %1 on the disk.").arg(KindNoun(kind())));
        m_status->setText(m_partitionMissing
                              ? tr("The disk has no partition for the launcher's files yet; it "
                                   "is made (128 MB) when you first give a picture or setting.")
                              : QString());
        return;
    }
    m_picture->setText({});
    m_picture->setPixmap(QPixmap::fromImage(image.scaled(
        m_picture->size() - QSize(8, 8), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    m_status->setText(tr("%1 x %2 pixels on the disk.").arg(image.width()).arg(image.height()));
}

void LauncherDialog::showSettings(const launcher::GameConfig& config)
{
    m_config = config;
    const uint modes = config.value(QStringLiteral("Compatibility")).value_or(QString()).toUInt();
    for (int i = 0; i < m_modes.size(); ++i)
        m_modes[i]->setChecked(modes & (1u << i));
    m_card1->setText(config.value(QStringLiteral("VMC_0")).value_or(QString()));
    m_card2->setText(config.value(QStringLiteral("VMC_1")).value_or(QString()));
}

std::optional<bool> LauncherDialog::mayCreate()
{
    if (!m_partitionMissing)
        return false;
    const auto answer = m_dialogs.question(
        tr("The disk has no +OPL partition, where the launcher keeps its pictures, settings and "
           "memory cards. Make it now (128 MB), as the launcher itself would?"),
        Dialogs::Icon::Exclamation);
    if (answer != Dialogs::Answer::Yes)
        return std::nullopt;
    return true;
}

void LauncherDialog::givePicture(const QString& file)
{
    const std::optional<bool> create = mayCreate();
    if (!create)
        return;
    QPointer<LauncherDialog> self(this);
    const ArtKind k = kind();
    onDisk([self, file, k, create](std::function<void()> end) {
        self->m_session.launcher().putArt(self->m_target, self->m_game.startup, k, file, *create,
                                          [self, end](bool ok) {
                                              if (!self)
                                                  return end();
                                              if (ok)
                                                  self->m_partitionMissing = false;
                                              self->readPicture(end);
                                          });
    });
}

void LauncherDialog::removePicture()
{
    const ArtKind k = kind();
    if (m_dialogs.question(tr("Remove the %1 of %2 from the disk?").arg(KindNoun(k), m_game.title),
                           Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
        return;
    QPointer<LauncherDialog> self(this);
    onDisk([self, k](std::function<void()> end) {
        self->m_session.launcher().remove(self->m_target, QStringLiteral("ART"),
                                          launcher::ArtFileName(self->m_game.startup, k),
                                          [self, end](bool) {
                                              if (!self)
                                                  return end();
                                              self->readPicture(end);
                                          });
    });
}

void LauncherDialog::pastePicture()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data && data->hasUrls() && data->urls().first().isLocalFile())
        return givePicture(data->urls().first().toLocalFile());
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull()) {
        m_status->setText(tr("The clipboard holds no picture."));
        return;
    }
    // Kept until the picture was written: the dialog owns the copy.
    auto* dir = new QTemporaryDir;
    connect(this, &QObject::destroyed, this, [dir] { delete dir; });
    const QString file = dir->filePath(QStringLiteral("pasted.png"));
    if (!image.save(file, "PNG")) {
        m_status->setText(tr("The pasted picture could not be kept for writing."));
        return;
    }
    givePicture(file);
}

void LauncherDialog::saveSettings()
{
    launcher::GameConfig config = m_config;
    uint modes = 0;
    for (int i = 0; i < m_modes.size(); ++i)
        if (m_modes[i]->isChecked())
            modes |= 1u << i;
    const QString card1 = m_card1->text().trimmed();
    const QString card2 = m_card2->text().trimmed();
    for (const QString& card : {card1, card2}) {
        if (!card.isEmpty() && !cardName(card))
            return;
    }
    config.set(QStringLiteral("Compatibility"), modes ? QString::number(modes) : QString());
    config.set(QStringLiteral("VMC_0"), card1);
    config.set(QStringLiteral("VMC_1"), card2);
    if (config == m_config) {
        m_status->setText(tr("Nothing changed."));
        return;
    }
    const std::optional<bool> create = mayCreate();
    if (!create)
        return;
    QPointer<LauncherDialog> self(this);
    onDisk([self, config, create](std::function<void()> end) {
        self->m_session.launcher().writeConfig(
            self->m_target, self->m_game.startup, config, *create, [self, config, end](bool ok) {
                if (self && ok) {
                    self->m_config = config;
                    self->m_partitionMissing = false;
                }
                end();
                if (self)
                    self->m_status->setText(ok ? tr("Settings saved.")
                                               : tr("The settings were not "
                                                    "saved."));
            });
    });
}

void LauncherDialog::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void LauncherDialog::dropEvent(QDropEvent* event)
{
    const QString file = event->mimeData()->urls().first().toLocalFile();
    event->acceptProposedAction();
    givePicture(file);
}
