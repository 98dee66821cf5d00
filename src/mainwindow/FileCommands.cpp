#include "FileCommands.h"

#include "ConfigurationFile.h"
#include "Configurator.h"
#include "Prompt.h"
#include "Version.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace {

const char* const FileFilter = "Configurator Files (*.cnf)";

QString ShowFileDialog(QWidget* window, FileCommands::Dialog dialog, const QString& folder)
{
    QFileDialog d(window, QString(), folder, QString::fromLatin1(FileFilter));
    d.setDefaultSuffix(QStringLiteral("cnf"));
    if (dialog == FileCommands::Dialog::Save) {
        // The dialog asks before it overwrites an existing file.
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setFileMode(QFileDialog::AnyFile);
    } else {
        d.setAcceptMode(QFileDialog::AcceptOpen);
        d.setFileMode(QFileDialog::ExistingFile);
    }
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return QString();
    return d.selectedFiles().constFirst();
}

}  // namespace

FileCommands::FileCommands(QWidget* window, Configurator& configurator, Prompt& prompt, QObject* parent)
    : QObject(parent),
      m_window(window),
      m_configurator(configurator),
      m_prompt(prompt),
      m_startFolder(QCoreApplication::applicationDirPath())
{
    m_chooser = [this](Dialog dialog, const QString& folder) { return ShowFileDialog(m_window, dialog, folder); };
}

QString FileCommands::CurrentFile() const
{
    return m_configurator.state().CurrentFile;
}

QString FileCommands::programVersion() const
{
    // The start-up sets the state's version; a file must never get an empty
    // first line, which no reader could take.
    const QString v = m_configurator.state().ProgramVersion;
    return v.isEmpty() ? ProgramVersion() : v;
}

QString FileCommands::choose(Dialog dialog) const
{
    // The dialogs open where the last file was, else in the start folder.
    const QString current = CurrentFile();
    const QString folder = current.isEmpty() ? m_startFolder : QFileInfo(current).absolutePath();
    return m_chooser(dialog, folder);
}

bool FileCommands::writeTo(const QString& path)
{
    const QByteArray bytes = WriteConfigFile(CaptureConfiguration(m_configurator, programVersion()));
    QString error;
    if (!SaveFileBytes(path, bytes, &error)) {
        m_prompt.tell(QString(), QStringLiteral("Error saving file: ") + error);
        return false;
    }
    m_configurator.state().SettingsChanged = false;
    return true;
}

bool FileCommands::DoSave()
{
    const QString path = CurrentFile();
    if (path.isEmpty())
        return false;
    return writeTo(path);
}

bool FileCommands::DoSaveAs()
{
    const QString chosen = choose(Dialog::Save);
    if (chosen.isEmpty())
        return false;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    // The caption and the current file follow the new name only once the
    // file is really there.
    if (!writeTo(path))
        return false;
    m_configurator.state().CurrentFile = path;
    emit captionFileChanged(path);
    return true;
}

void FileCommands::MenuSave_Click()
{
    if (CurrentFile().isEmpty())
        DoSaveAs();
    else
        DoSave();
}

void FileCommands::MenuSaveAs_Click()
{
    DoSaveAs();
}

void FileCommands::MenuOpen_Click()
{
    ProgramState& state = m_configurator.state();
    if (state.SettingsChanged) {
        const Prompt::Answer a = m_prompt.ask(
            QStringLiteral("Open"),
            QStringLiteral("You have made changes without Saving or Downloading.  Do you really want to open a file "
                           "and replace your program?"),
            Prompt::Icon::Question, Prompt::Buttons::OkCancel);
        if (a != Prompt::Answer::Ok)
            return;
    }
    const QString chosen = choose(Dialog::Open);
    if (chosen.isEmpty())
        return;
    const QString path = QFileInfo(chosen).absoluteFilePath();

    QByteArray bytes;
    QString error;
    if (!LoadFileBytes(path, &bytes, &error)) {
        m_prompt.tell(Configurator::ProgramTitle(), QStringLiteral("Error: could not open file."));
        return;
    }
    // Read into a fresh configuration first: a file that cannot be read
    // completely changes nothing at all.
    const ConfigFileReadResult read = ReadConfigFile(bytes, m_configurator.settings());
    if (!read.ok) {
        m_prompt.tell(Configurator::ProgramTitle(),
                      QStringLiteral("Error: couldn't read file.  ") + read.error + QLatin1Char('.'));
        return;
    }
    ApplyConfiguration(m_configurator, read.content);
    state.SettingsChanged = false;
    state.InertiaSet = true;
    state.CurrentFile = path;
    emit captionFileChanged(path);
}
