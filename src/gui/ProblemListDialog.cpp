#include "ProblemListDialog.h"

#include "AppIcon.h"

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
    : ProblemListDialog(text, items, acceptText.isEmpty() ? QStringList() : QStringList{acceptText},
                        parent)
{}

ProblemListDialog::ProblemListDialog(const QString& text, const QStringList& items,
                                     const QStringList& choices, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("problemsDialog"));
    setWindowTitle(ProgramTitle());
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
    for (int i = 0; i < choices.size(); ++i) {
        QPushButton* go = buttons->addButton(choices[i], QDialogButtonBox::ActionRole);
        go->setObjectName(i == 0 ? QStringLiteral("goOnButton")
                                 : QStringLiteral("goOnButton%1").arg(i + 1));
        connect(go, &QPushButton::clicked, this, [this, i] { done(kFirstChoice + i); });
    }
    QPushButton* stop =
        buttons->addButton(choices.isEmpty() ? QDialogButtonBox::Close : QDialogButtonBox::Cancel);
    stop->setObjectName(QStringLiteral("stopHereButton"));
    stop->setDefault(true);
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
