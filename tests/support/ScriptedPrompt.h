#pragma once

#include "Prompt.h"

#include <QList>
#include <QString>

// A Prompt for tests: records every message and answers from a script.
// With the script empty it answers Ok (or Yes for a Yes/No question).
class ScriptedPrompt : public Prompt {
public:
    struct Message {
        QString title;
        QString text;
        Icon icon;
        Buttons buttons;
    };

    QList<Message> messages;
    QList<Answer> answers;  // taken from the front, one per question
    int beeps = 0;

    Answer ask(const QString& title, const QString& text, Icon icon, Buttons buttons) override
    {
        messages.append({title, text, icon, buttons});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    void beep() override { ++beeps; }

    QStringList titles() const
    {
        QStringList t;
        for (const Message& m : messages)
            t << m.title;
        return t;
    }
    void clear() { messages.clear(); answers.clear(); beeps = 0; }
};
