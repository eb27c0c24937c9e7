#include "Dialogs.h"

#include "JobEditDialog.h"

#include "ProblemListDialog.h"
#include "core/jobs/JobCommands.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace {
QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Exclamation:
        break;
    }
    return QMessageBox::Warning;
}
} // namespace

void WidgetDialogs::message(const QString& text, Icon icon, const QString& title)
{
    QMessageBox box(boxIcon(icon), title.isEmpty() ? programTitle() : title, text, QMessageBox::Ok,
                    m_owner);
    box.exec();
}

Dialogs::Answer WidgetDialogs::question(const QString& text, Icon icon, const QString& title)
{
    QMessageBox box(boxIcon(icon), title.isEmpty() ? programTitle() : title, text,
                    QMessageBox::Yes | QMessageBox::No, m_owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QObject* WidgetDialogs::ask(const QString& text, Icon icon, QWidget* over,
                            std::function<void(Answer)> answered)
{
    auto* box = new QMessageBox(boxIcon(icon), programTitle(), text,
                                QMessageBox::Yes | QMessageBox::No, over ? over : m_owner);
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Window-modal: the rest of the program stays usable and visible around it.
    box->setWindowModality(Qt::WindowModal);
    QObject::connect(box, &QMessageBox::finished, box, [box, answered = std::move(answered)] {
        answered(box->clickedButton() == box->button(QMessageBox::Yes) ? Answer::Yes : Answer::No);
    });
    box->open();
    return box;
}

QObject* WidgetDialogs::choose(const QString& text, Icon icon, QWidget* over,
                               const QStringList& choices, std::function<void(int)> chosen)
{
    auto* box = new QMessageBox(boxIcon(icon), programTitle(), text, QMessageBox::NoButton,
                                over ? over : m_owner);
    QList<QAbstractButton*> buttons;
    for (qsizetype i = 0; i < choices.size(); ++i) {
        const bool last = i == choices.size() - 1;
        buttons << box->addButton(choices[i],
                                  last ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    }
    if (!buttons.isEmpty()) {
        box->setDefaultButton(qobject_cast<QPushButton*>(buttons.last()));
        box->setEscapeButton(buttons.last());
    }
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    QObject::connect(box, &QMessageBox::finished, box, [box, buttons, chosen = std::move(chosen)] {
        const qsizetype at = buttons.indexOf(box->clickedButton());
        chosen(static_cast<int>(at < 0 ? buttons.size() - 1 : at));
    });
    box->open();
    return box;
}

bool WidgetDialogs::confirmList(const QString& text, const QStringList& items,
                                const QString& acceptText)
{
    ProblemListDialog dialog(text, items, acceptText, m_owner);
    return dialog.exec() == ProblemListDialog::kFirstChoice;
}

std::optional<int> WidgetDialogs::chooseForList(const QString& text, const QStringList& items,
                                                const QStringList& choices)
{
    ProblemListDialog dialog(text, items, choices, m_owner);
    const int result = dialog.exec();
    if (result < ProblemListDialog::kFirstChoice)
        return std::nullopt;
    return result - ProblemListDialog::kFirstChoice;
}

QString WidgetDialogs::qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            continue;
        // Show the caption; match by the pattern, which may differ from it.
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
        filters << (parts[i].contains(patterns)
                        ? parts[i]
                        : parts[i] + QStringLiteral(" (") + patterns + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {
QStringList runFileDialog(QWidget* owner, const FileDialogRequest& r, bool save, bool many = false)
{
    QFileDialog dialog(owner, r.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save   ? QFileDialog::AnyFile
                       : many ? QFileDialog::ExistingFiles
                              : (r.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    dialog.setNameFilter(WidgetDialogs::qtFilter(r.filter));
    if (!r.directory.isEmpty())
        dialog.setDirectory(r.directory);
    if (!r.fileName.isEmpty())
        dialog.selectFile(r.fileName);
    QString suffix = r.defaultSuffix;
    suffix.remove(QStringLiteral("*."));
    if (!suffix.isEmpty())
        dialog.setDefaultSuffix(suffix);
    if (save && !r.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}
} // namespace

std::optional<QString> WidgetDialogs::openFile(const FileDialogRequest& request)
{
    const QStringList files = runFileDialog(m_owner, request, false);
    return files.isEmpty() ? std::nullopt : std::optional<QString>(files.first());
}

QStringList WidgetDialogs::openFiles(const FileDialogRequest& request)
{
    return runFileDialog(m_owner, request, false, true);
}

std::optional<QString> WidgetDialogs::saveFile(const FileDialogRequest& request)
{
    const QStringList files = runFileDialog(m_owner, request, true);
    return files.isEmpty() ? std::nullopt : std::optional<QString>(files.first());
}

std::optional<QString> WidgetDialogs::inputText(const QString& prompt, const QString& title,
                                                const QString& initial)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_owner, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> WidgetDialogs::chooseFolder(const QString& title, const QString& directory)
{
    const QString dir = QFileDialog::getExistingDirectory(m_owner, title, directory);
    if (dir.isEmpty())
        return std::nullopt;
    return dir;
}

std::optional<CompatFlags> WidgetDialogs::chooseFlags(const QString& text,
                                                      const CompatFlags& current)
{
    QDialog dialog(m_owner);
    dialog.setObjectName(QStringLiteral("flagsDialog"));
    dialog.setWindowTitle(JobEditDialog::tr("Compatibility Flags"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(text, &dialog);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* grid = new QGridLayout;
    QList<QCheckBox*> boxes;
    const QStringList captions = CompatFlagCaptions();
    for (int i = 0; i < captions.size(); ++i) {
        auto* box = new QCheckBox(captions[i], &dialog);
        box->setChecked(current.has(i + 1));
        grid->addWidget(box, i % 4, i / 4);
        boxes << box;
    }
    layout->addLayout(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    QList<bool> ticked;
    for (const QCheckBox* box : boxes)
        ticked << box->isChecked();
    return CompatFlags::fromTicked(ticked);
}

std::optional<quint32> WidgetDialogs::chooseColor(quint32 initial)
{
    const QColor start(static_cast<int>(initial & 0xff), static_cast<int>((initial >> 8) & 0xff),
                       static_cast<int>((initial >> 16) & 0xff));
    const QColor chosen = QColorDialog::getColor(start, m_owner);
    if (!chosen.isValid())
        return std::nullopt;
    return static_cast<quint32>(chosen.red()) | static_cast<quint32>(chosen.green()) << 8 |
           static_cast<quint32>(chosen.blue()) << 16;
}

bool CheckFolderOf(Dialogs& dialogs, const QString& file)
{
    const QString problem = FolderProblem(file);
    if (problem.isEmpty())
        return true;
    dialogs.message(problem, Dialogs::Icon::Exclamation);
    return false;
}
