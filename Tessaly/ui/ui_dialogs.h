// Everything the windows ask of the person or the desktop, behind one interface so that the
// window tests can answer without blocking.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tessaly {

class UiDialogs {
public:
    virtual ~UiDialogs() = default;
    /// The open dialog: the chosen files (several when `multiple`), none on cancel.
    virtual QStringList openFiles(QWidget* parent, const QString& title, const QString& filter,
                                  bool multiple) = 0;
    /// The save dialog (with an overwrite prompt): the chosen file, empty on cancel.
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& suffix) = 0;
    /// A modal message with an OK button under the application's title.
    virtual void message(QWidget* parent, const QString& text) = 0;
    /// A modal Yes/No question under the application's title; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;
    virtual void beep() = 0;
    /// Starts the first of `candidates` found on the search path; false when none is there.
    virtual bool startProgram(const QStringList& candidates) = 0;
};

/// The real dialogs: file dialogs, message boxes, the beep and process start.
UiDialogs& desktopDialogs();

} // namespace tessaly
