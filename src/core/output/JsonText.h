#pragma once

#include <QByteArray>
#include <QStringView>

#include <vector>

// JSON written as it is made, byte for byte as QJsonDocument::toJson(Indented) writes the same
// document: for listings of thousands of games, which cost several times more when built as a
// document first. An object's keys are given in the order QJsonObject keeps them (sorted).
class JsonText
{
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(QStringView name);
    void value(QStringView text);
    void value(qint64 number);
    void boolean(bool flag); // not value(): a literal text would turn into a bool
    // A key and its value.
    void field(QStringView name, QStringView text)
    {
        key(name);
        value(text);
    }
    void field(QStringView name, qint64 number)
    {
        key(name);
        value(number);
    }

    // The whole document, once its outermost object or array has ended.
    const QByteArray& text() const { return m_out; }

private:
    // Before a value: the comma and line of a container's next element (an object's value
    // follows its key).
    void element();
    void open(char bracket);
    void close(char bracket);
    void indent(qsizetype levels);
    void string(QStringView text);

    struct Level
    {
        bool object = false;
        bool empty = true;
    };
    QByteArray m_out;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};
