#pragma once

#include "ui/common/FileChooser.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// A FileChooser for tests: records every request and answers from a script. When the
// script runs dry it answers as if the user had cancelled. An answer of several paths
// gives its first to a request for one.
class ScriptedFileChooser : public FileChooser {
public:
    std::optional<std::string> Choose(const FileRequest& request) override
    {
        const auto answer = ChooseSeveral(request);
        if (!answer || answer->empty()) return std::nullopt;
        return answer->front();
    }

    std::optional<std::vector<std::string>> ChooseSeveral(const FileRequest& request) override
    {
        m_requests.push_back(request);
        if (m_answers.empty()) return std::nullopt;
        std::optional<std::vector<std::string>> answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    void Answer(std::string path) { m_answers.emplace_back(std::vector<std::string>{std::move(path)}); }
    void AnswerSeveral(std::vector<std::string> paths) { m_answers.emplace_back(std::move(paths)); }
    void Cancel() { m_answers.emplace_back(std::nullopt); }
    const std::vector<FileRequest>& Requests() const { return m_requests; }

private:
    std::deque<std::optional<std::vector<std::string>>> m_answers;
    std::vector<FileRequest> m_requests;
};
