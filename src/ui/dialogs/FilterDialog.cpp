#include "ui/dialogs/FilterDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FilterDialog::FilterDialog(const char* title, const char* prompt, QWidget* parent)
    : QDialog(parent),
      m_prompt(new QLabel(QString::fromUtf8(prompt), this)),
      m_selection(new QVBoxLayout),
      m_okButton(new QPushButton(QStringLiteral("OK"), this)),
      m_cancelButton(new QPushButton(QStringLiteral("Cancel"), this)),
      m_messageLine(new QLabel(this))
{
    setWindowTitle(QString::fromUtf8(title));
    // Enter anywhere in the dialog is OK, Escape is Cancel.
    m_okButton->setDefault(true);
    m_okButton->setAccessibleName(QStringLiteral("OK"));
    m_cancelButton->setAccessibleName(QStringLiteral("Cancel"));
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    m_messageLine->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_messageLine->setMinimumHeight(m_messageLine->fontMetrics().height() + 6);
    m_messageLine->setAccessibleName(QStringLiteral("Messages"));
    auto* messages = new QLabel(QStringLiteral("Messages:"), this);
    messages->setBuddy(m_messageLine);

    auto* left = new QVBoxLayout;
    left->addWidget(m_prompt);
    left->addLayout(m_selection, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(messages);
    layout->addWidget(m_messageLine);
}

void FilterDialog::SetMessage(const QString& text)
{
    m_messageLine->setText(text);
}
