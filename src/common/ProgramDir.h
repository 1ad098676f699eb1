#pragma once

#include <QString>

// The directory that holds the executable. Everything the tool reads and writes
// at run time lies here. Names in it are matched without regard to letter case,
// so "PreDefine.dll" finds "Predefine.DLL", and a file that is written takes the
// spelling of an existing match: two spellings of one name never coexist.
class ProgramDir {
public:
    explicit ProgramDir(QString path);
    static ProgramDir ofApplication();  // needs a QCoreApplication

    // The directory in native form, without a trailing separator.
    QString path() const;

    // The path of `name` in the directory: an existing entry whose name matches
    // without regard to case, else the directory joined with `name` as given.
    QString filePath(const QString &name) const;
    bool exists(const QString &name) const;

    // The path of a program lying in the directory, with the platform's suffix.
    QString executable(const QString &baseName) const;

private:
    QString m_path;
};
