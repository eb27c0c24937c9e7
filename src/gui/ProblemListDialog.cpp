#include "ProblemListDialog.h"

#include "AppIcon.h"
#include "Dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

ProblemListDialog::ProblemListDialog(const QString& text, const QStringList& items,
                                     const QString& acceptText, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("problemsDialog"));
    setWindowTitle(Dialogs::programTitle());
    setWindowIcon(AppIcon());
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);

    auto* icon = new QLabel(this);
    icon->setPixmap(warning.pixmap(32, 32));
    auto* intro = new QLabel(text, this);
    intro->setObjectName(QStringLiteral("problemsLabel"));
    intro->setWordWrap(true);
    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("problemList"));
    list->setWordWrap(true);
    list->setAlternatingRowColors(true);
    list->setTextElideMode(Qt::ElideNone);
    for (const QString& item : items) {
        auto* row = new QListWidgetItem(warning, item, list);
        row->setToolTip(item);
    }
    auto* buttons = new QDialogButtonBox(this);
    // Without a way on, the list is only to be read.
    if (!acceptText.isEmpty()) {
        QPushButton* go = buttons->addButton(acceptText, QDialogButtonBox::AcceptRole);
        go->setObjectName(QStringLiteral("goOnButton"));
    }
    QPushButton* stop = buttons->addButton(acceptText.isEmpty() ? QDialogButtonBox::Close
                                                                : QDialogButtonBox::Cancel);
    stop->setObjectName(QStringLiteral("stopHereButton"));
    stop->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(intro, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    resize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 22);
}
