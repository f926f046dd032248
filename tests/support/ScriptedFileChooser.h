#pragma once

#include "ui/common/FileChooser.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// A FileChooser for tests: records every request and answers from a script. When the
// script runs dry it answers as if the user had cancelled.
class ScriptedFileChooser : public FileChooser {
public:
    std::optional<std::string> Choose(const FileRequest& request) override
    {
        m_requests.push_back(request);
        if (m_answers.empty()) return std::nullopt;
        std::optional<std::string> answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    void Answer(std::string path) { m_answers.emplace_back(std::move(path)); }
    void Cancel() { m_answers.emplace_back(std::nullopt); }
    const std::vector<FileRequest>& Requests() const { return m_requests; }

private:
    std::deque<std::optional<std::string>> m_answers;
    std::vector<FileRequest> m_requests;
};
