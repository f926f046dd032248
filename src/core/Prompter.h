#pragma once

#include <string>
#include <string_view>

// Which buttons a message box offers.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };

// The button the user pressed.
enum class PromptAnswer { Ok, Cancel, Yes, No };

// The one road by which the program shows messages and asks questions. The desktop
// program answers through message boxes; tests install a scripted prompter that
// records every text and answers as told; the command-line tool prints to stderr.
class Prompter {
public:
    virtual ~Prompter() = default;

    // Shows `text` under `caption` and returns the button pressed.
    virtual PromptAnswer Ask(std::string_view text, std::string_view caption,
                             PromptButtons buttons) = 0;

    void Message(std::string_view text, std::string_view caption = kCaption)
    {
        Ask(text, caption, PromptButtons::Ok);
    }
    bool AskOkCancel(std::string_view text, std::string_view caption = kCaption)
    {
        return Ask(text, caption, PromptButtons::OkCancel) == PromptAnswer::Ok;
    }
    bool AskYesNo(std::string_view text, std::string_view caption = kCaption)
    {
        return Ask(text, caption, PromptButtons::YesNo) == PromptAnswer::Yes;
    }
    PromptAnswer AskYesNoCancel(std::string_view text, std::string_view caption = kCaption)
    {
        return Ask(text, caption, PromptButtons::YesNoCancel);
    }

    static constexpr std::string_view kCaption = "Quillery";
};
