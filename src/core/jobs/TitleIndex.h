#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Full game titles by serial, from a game index as the PCSX2 emulator installs it
// (GameIndex.yaml: "SLUS-20312:" followed by "name: ..."). Disc labels and file names are
// what users rename; a title from here is what they would have typed.
class TitleIndex
{
public:
    // Read with a YAML parser; what was read before a fault is kept, and the fault told.
    static TitleIndex FromYaml(const QByteArray& yaml, QString* error = nullptr);
    static TitleIndex Load(const QString& file, QString* error = nullptr);

    // The title for a disc's startup ("SLUS_203.12"); empty when the index has none.
    QString titleFor(const QString& startup) const;
    const QString& file() const { return m_file; }
    qsizetype size() const { return m_titles.size(); }
    bool isEmpty() const { return m_titles.isEmpty(); }

private:
    QHash<QString, QString> m_titles; // by serial, "SLUS-20312"
    QString m_file;
};

// "SLUS_203.12" -> "SLUS-20312"; empty for a startup that is no serial.
QString SerialOfStartup(const QString& startup);
// The first of the places that holds a file; empty when none does.
QString FindTitleIndex(const QStringList& places);
