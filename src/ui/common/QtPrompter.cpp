#include "ui/common/QtPrompter.h"

#include "ui/common/ByteText.h"
#include "ui/common/DialogGuard.h"

#include <QMessageBox>

namespace {

QMessageBox::StandardButtons ButtonsFor(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok: return QMessageBox::Ok;
    case PromptButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconFor(PromptButtons buttons)
{
    return buttons == PromptButtons::Ok ? QMessageBox::Warning : QMessageBox::Question;
}

// A box closed without a button (Escape, the window's close box) counts as the
// answer that changes least.
PromptAnswer AnswerFor(int button, PromptButtons buttons)
{
    switch (button) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Cancel: return PromptAnswer::Cancel;
    default: break;
    }
    switch (buttons) {
    case PromptButtons::Ok: return PromptAnswer::Ok;
    case PromptButtons::YesNo: return PromptAnswer::No;
    case PromptButtons::OkCancel:
    case PromptButtons::YesNoCancel: return PromptAnswer::Cancel;
    }
    return PromptAnswer::Cancel;
}

}  // namespace

PromptAnswer QtPrompter::Ask(std::string_view text, std::string_view caption,
                             PromptButtons buttons)
{
    DialogGuard<QMessageBox> box(IconFor(buttons), ByteText::ToDisplay(caption),
                                 ByteText::ToDisplay(text), ButtonsFor(buttons), m_owner.data());
    const int button = box->exec();
    return AnswerFor(button, buttons);
}
