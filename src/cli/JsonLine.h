#pragma once

#include <string>
#include <string_view>
#include <vector>

// One JSON object on one line, keys in the order they are added. Text values are
// stored bytes: shown as UTF-8, bytes that are not valid UTF-8 read as Windows-1252.
class JsonLine {
public:
    void Add(std::string_view key, std::string_view text);
    void Add(std::string_view key, int number);
    void Add(std::string_view key, const std::vector<std::string>& texts);
    // The object, without a line end.
    std::string Text() const { return m_body + '}'; }

private:
    void Key(std::string_view key);
    static void AppendString(std::string& out, std::string_view bytes);

    std::string m_body = "{";
};
