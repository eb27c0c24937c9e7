#include "SimState.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

QString SimState::statePath()
{
    const QString env = qEnvironmentVariable("HDL_SIM_STATE");
    if (!env.isEmpty())
        return env;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/sim-state.json");
}

bool SimState::load()
{
    QFile f(statePath());
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll());
    if (!doc.isObject())
        return false;
    root = doc.object();
    return true;
}

bool SimState::save() const
{
    QSaveFile f(statePath());
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(QJsonDocument(root).toJson(QJsonDocument::Indented));
    return f.commit();
}
