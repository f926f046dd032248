#pragma once

#include <QPointer>

#include <utility>

// Owns a modal dialog for the length of one command. The dialog is held in a
// QPointer because its parent may be destroyed while exec() runs (the parent then
// deletes it first); the guard deletes it only if it is still there.
template <typename Dialog>
class DialogGuard {
public:
    template <typename... Args>
    explicit DialogGuard(Args&&... args) : m_dialog(new Dialog(std::forward<Args>(args)...))
    {
    }
    ~DialogGuard() { delete m_dialog.data(); }
    DialogGuard(const DialogGuard&) = delete;
    DialogGuard& operator=(const DialogGuard&) = delete;

    Dialog* operator->() const { return m_dialog.data(); }
    Dialog* get() const { return m_dialog.data(); }
    explicit operator bool() const { return !m_dialog.isNull(); }

private:
    QPointer<Dialog> m_dialog;
};
