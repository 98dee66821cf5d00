#pragma once

#include <QObject>
#include <QString>
#include <functional>

class Configurator;
class Prompt;
class QWidget;

// The File menu's Open, Save and Save As: the configuration file dialogs,
// the unsaved-changes guard, CurrentFile and the window caption's file part.
// The summary is refreshed through Configurator::SummarizeAll after an open.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(QWidget* window, Configurator& configurator, Prompt& prompt, QObject* parent = nullptr);

    // Asks the user for a file: the open or the save dialog by default. An
    // empty result means the dialog was cancelled. Tests put their own in.
    enum class Dialog { Open, Save };
    using FileChooser = std::function<QString(Dialog, const QString& folder)>;
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    void MenuOpen_Click();
    void MenuSave_Click();    // DoSave when there is a current file, else DoSaveAs
    void MenuSaveAs_Click();
    // True when the configuration was written.
    bool DoSave();
    bool DoSaveAs();

    // The configuration file last opened or saved, empty when none.
    QString CurrentFile() const;

    // Where the file dialogs open while there is no current file (the
    // program's folder unless told otherwise).
    void setStartFolder(const QString& folder) { m_startFolder = folder; }

signals:
    // After an open or a save under a new name: the path for the caption's
    // file part (the main window's setCaptionFile).
    void captionFileChanged(const QString& path);

private:
    QString programVersion() const;
    bool writeTo(const QString& path);
    QString choose(Dialog dialog) const;

    QWidget* m_window;
    Configurator& m_configurator;
    Prompt& m_prompt;
    FileChooser m_chooser;
    QString m_startFolder;
};
