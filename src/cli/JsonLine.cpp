#include "cli/JsonLine.h"

#include "core/TextEncoding.h"

#include <cstdio>

void JsonLine::Add(std::string_view key, std::string_view text)
{
    Key(key);
    AppendString(m_body, text);
}

void JsonLine::Add(std::string_view key, int number)
{
    Key(key);
    m_body += std::to_string(number);
}

void JsonLine::Add(std::string_view key, const std::vector<std::string>& texts)
{
    Key(key);
    m_body += '[';
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) m_body += ',';
        AppendString(m_body, texts[i]);
    }
    m_body += ']';
}

void JsonLine::Key(std::string_view key)
{
    if (m_body.size() > 1) m_body += ',';
    AppendString(m_body, key);
    m_body += ':';
}

void JsonLine::AppendString(std::string& out, std::string_view bytes)
{
    out += '"';
    for (const char c : ToDisplayUtf8(bytes)) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}
