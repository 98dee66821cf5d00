#pragma once

#include <QString>

// Everything the core needs to tell the user or ask them. The windows
// implement it with message boxes; tests script the answers.
class Prompt {
public:
    enum class Icon { None, Information, Question, Exclamation, Stop };
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Prompt() = default;

    // Shows a modal message and returns the button pressed.
    virtual Answer ask(const QString& title, const QString& text, Icon icon, Buttons buttons) = 0;

    // The system beep that greets a drive at power up.
    virtual void beep() {}

    void tell(const QString& title, const QString& text, Icon icon = Icon::None)
    {
        ask(title, text, icon, Buttons::Ok);
    }
};
