#pragma once

#include "Prompt.h"

#include <QPointer>
#include <QWidget>

// The Prompt of the running program: modal message boxes with the given
// title, icon and buttons, over the window set as their parent (none while
// the splash is up).
class MessageBoxPrompt : public Prompt {
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer ask(const QString& title, const QString& text, Icon icon, Buttons buttons) override;
    void beep() override;

private:
    QPointer<QWidget> m_parent;
};
