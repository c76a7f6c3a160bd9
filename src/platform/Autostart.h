// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace moonleaf {

// The file name of the program's autostart entry, after the program's application id.
inline constexpr const char* AUTOSTART_ENTRY_NAME = "io.github.moonleaf.Moonleaf.desktop";

// The step of a change to the autostart entry that failed, if one did.
enum class AutostartStep { None, CreateFolder, WriteEntry, DeleteEntry };

// What a change to the autostart entry came to. Failures are values: nothing throws.
struct AutostartResult {
    AutostartStep Failed = AutostartStep::None;
    QString Path;   // the folder or file the failed step worked on
    QString Reason; // the system's own words, for a log; empty on success

    bool Ok() const { return Failed == AutostartStep::None; }
};

// Starting the calendar with the desktop session: a freedesktop autostart entry in the
// user's configuration folder. The only record of the setting is the entry itself: present
// (and not disabled by the user) means on, absent means off.
class Autostart {
public:
    // `configHome` is the user's configuration folder (the entry goes into its "autostart"
    // folder); `executable` is the absolute path of the program the entry starts.
    Autostart(QString configHome, QString executable);

    // $XDG_CONFIG_HOME when it holds an absolute path, else ~/.config.
    static QString ConfigHomeFromEnvironment();
    // The entry of the running program in the configuration folder of the environment.
    static Autostart ForThisProgram();

    QString Folder() const;    // <config>/autostart
    QString EntryPath() const; // <config>/autostart/io.github.moonleaf.Moonleaf.desktop
    const QString& Executable() const { return executable_; }

    // True when the entry is a file and the user has not disabled it (Hidden=true, or
    // X-GNOME-Autostart-enabled=false, as the desktops' session settings write it).
    bool IsOn() const;

    // The whole text of the entry this program writes: an application named Moonleaf that
    // runs the executable with no arguments.
    QByteArray EntryText() const;

    // Writes the entry afresh, creating the folder when needed. The text goes to a
    // temporary file in the same folder that is renamed over the entry only when complete,
    // so a failure leaves the old entry (or none) and no partial file behind.
    AutostartResult Write() const;
    // Deletes the entry when it is there; nothing to delete is no failure.
    AutostartResult Remove() const;

private:
    QString configHome_;
    QString executable_;
};

// True when `path` names something that exists and is not a folder. Every error (an empty
// path, a missing file, a path through something that is not a folder) answers false.
bool FileExists(const QString& path);

// The program the autostart entry file `path` starts: the first word of its Exec line with
// the entry's quoting and escapes undone. "unknown" when `path` does not end in exactly
// ".desktop" (case-sensitive; the file is then not opened); empty when the file cannot be
// read or names no program.
QString xGetTargetPath(const QString& path);

// The Exec value that runs `program` with no arguments: the path as it stands when it has
// no reserved character, otherwise in double quotes with '"', '`', '$' and '\' escaped; '%'
// doubled; then the escapes of a string value (backslash, newline, tab, return).
QString DesktopExecValue(const QString& program);
// The program an Exec value runs: the reverse of DesktopExecValue for its first word.
QString DesktopExecProgram(const QString& value);

} // namespace moonleaf
