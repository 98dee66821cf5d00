#pragma once

#include "Prompt.h"

#include <QList>
#include <QString>
#include <functional>

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
    // Runs while a message is "on screen", before it is answered: a test
    // can wait here as a modal box would, so events run meanwhile.
    std::function<void(const Message&)> whileShown;

    Answer ask(const QString& title, const QString& text, Icon icon, Buttons buttons) override
    {
        messages.append({title, text, icon, buttons});
        if (whileShown)
            whileShown(messages.last());
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
