#include "MessageBoxPrompt.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon BoxIcon(Prompt::Icon icon)
{
    switch (icon) {
    case Prompt::Icon::Information: return QMessageBox::Information;
    case Prompt::Icon::Question: return QMessageBox::Question;
    case Prompt::Icon::Exclamation: return QMessageBox::Warning;
    case Prompt::Icon::Stop: return QMessageBox::Critical;
    case Prompt::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(Prompt::Buttons buttons)
{
    switch (buttons) {
    case Prompt::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompt::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Prompt::Buttons::Ok: break;
    }
    return QMessageBox::Ok;
}

}  // namespace

Prompt::Answer MessageBoxPrompt::ask(const QString& title, const QString& text, Icon icon, Buttons buttons)
{
    QMessageBox box(BoxIcon(icon), title, text, BoxButtons(buttons), m_parent);
    // The text can be selected and copied: an error to pass on, an address.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Closing the box with Escape or its title bar counts as the cautious answer.
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

void MessageBoxPrompt::beep()
{
    QApplication::beep();
}
