#include "JsonText.h"

#include <algorithm>

namespace {

char hexDigit(unsigned v)
{
    return static_cast<char>(v < 10 ? '0' + v : 'a' + v - 10);
}

} // namespace

void JsonText::indent(qsizetype levels)
{
    static constexpr char kSpaces[] = "                                ";
    for (qsizetype n = 4 * levels; n > 0; n -= sizeof(kSpaces) - 1)
        m_out.append(kSpaces, std::min<qsizetype>(n, sizeof(kSpaces) - 1));
}

void JsonText::element()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty())
        return;
    Level& level = m_levels.back();
    m_out += level.empty ? "\n" : ",\n";
    level.empty = false;
    indent(static_cast<qsizetype>(m_levels.size()));
}

void JsonText::open(char bracket)
{
    element();
    m_out += bracket;
    m_levels.push_back({bracket == '{', true});
}

void JsonText::close(char bracket)
{
    m_levels.pop_back();
    // An empty container keeps its line break too: "[\n    ]".
    m_out += '\n';
    indent(static_cast<qsizetype>(m_levels.size()));
    m_out += bracket;
    if (m_levels.empty())
        m_out += '\n';
}

void JsonText::beginObject()
{
    open('{');
}

void JsonText::endObject()
{
    close('}');
}

void JsonText::beginArray()
{
    open('[');
}

void JsonText::endArray()
{
    close(']');
}

void JsonText::key(QStringView name)
{
    element();
    string(name);
    m_out += ": ";
    m_afterKey = true;
}

void JsonText::value(QStringView text)
{
    element();
    string(text);
}

void JsonText::value(qint64 number)
{
    element();
    m_out += QByteArray::number(number);
}

void JsonText::boolean(bool flag)
{
    element();
    m_out += flag ? "true" : "false";
}

void JsonText::string(QStringView text)
{
    m_out += '"';
    const char16_t* at = text.utf16();
    const char16_t* const end = at + text.size();
    auto plain = [](char16_t u) { return u >= 0x20 && u < 0x80 && u != u'"' && u != u'\\'; };
    while (at != end) {
        // Most text needs no escape: a run of it is copied at once.
        const char16_t* const from = at;
        while (at != end && plain(*at))
            ++at;
        if (at != from) {
            const qsizetype was = m_out.size();
            m_out.resize(was + (at - from));
            char* to = m_out.data() + was;
            for (const char16_t* c = from; c != at; ++c)
                *to++ = static_cast<char>(*c);
            if (at == end)
                break;
        }
        const char16_t u = *at++;
        if (u < 0x80) {
            m_out += '\\';
            switch (u) {
            case u'"':
                m_out += '"';
                break;
            case u'\\':
                m_out += '\\';
                break;
            case 0x8:
                m_out += 'b';
                break;
            case 0xc:
                m_out += 'f';
                break;
            case 0xa:
                m_out += 'n';
                break;
            case 0xd:
                m_out += 'r';
                break;
            case 0x9:
                m_out += 't';
                break;
            default:
                m_out += "u00";
                m_out += hexDigit(u >> 4);
                m_out += hexDigit(u & 0xf);
            }
            continue;
        }
        char32_t code = u;
        if (QChar::isHighSurrogate(u) && at != end && QChar::isLowSurrogate(*at)) {
            code = QChar::surrogateToUcs4(u, *at++);
        } else if (QChar::isSurrogate(u)) {
            // Half a pair is no character: JSON's escape keeps it.
            m_out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                m_out += hexDigit((u >> shift) & 0xf);
            continue;
        }
        if (code < 0x800) {
            m_out += static_cast<char>(0xc0 | (code >> 6));
        } else if (code < 0x10000) {
            m_out += static_cast<char>(0xe0 | (code >> 12));
            m_out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        } else {
            m_out += static_cast<char>(0xf0 | (code >> 18));
            m_out += static_cast<char>(0x80 | ((code >> 12) & 0x3f));
            m_out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        }
        m_out += static_cast<char>(0x80 | (code & 0x3f));
    }
    m_out += '"';
}
