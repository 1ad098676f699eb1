#pragma once

#include <QString>

// The directory that holds everything the tool reads and writes at run time. Names in it are
// matched without regard to letter case, so "PreDefine.dll" finds "Predefine.DLL", and a file that
// is written takes the spelling of an existing match: two spellings of one name never coexist.
//
// From a build tree it is the executable's own directory. An installed copy (one whose directory
// holds `installedMarker()`) may not be writable, so each user gets a directory of their own under
// the XDG data directory, filled on start from the installed files; the programs stay where they
// were installed.
class ProgramDir {
public:
    explicit ProgramDir(QString path);
    ProgramDir(QString path, QString programsPath);
    static ProgramDir ofApplication();  // needs a QCoreApplication

    // The executable's directory as it is, or for an installed copy the user's directory
    // `userPath`, made and filled from the installation when files are missing. `problem` tells
    // what could not be made or copied.
    static ProgramDir forInstallation(const QString &installedPath, const QString &userPath,
                                      QString *problem = nullptr);
    static QString installedMarker();

    // The directory in native form, without a trailing separator.
    QString path() const;

    // The path of `name` in the directory: an existing entry whose name matches
    // without regard to case, else the directory joined with `name` as given.
    QString filePath(const QString &name) const;
    bool exists(const QString &name) const;

    // A directory of its own for the intermediate files, with the same programs.
    ProgramDir withFilesIn(const QString &path) const { return ProgramDir(path, m_programsPath); }

    // The path of a program lying in the programs' directory, with the platform's suffix.
    QString executable(const QString &baseName) const;

private:
    QString m_path;
    QString m_programsPath;
};
