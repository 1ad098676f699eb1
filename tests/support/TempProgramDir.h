#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A program directory of the test's own, removed afterwards.
class TempProgramDir {
public:
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    bool has(const QString &name) const { return QFile::exists(file(name)); }

    void touch(const QString &name) const
    {
        QFile f(file(name));
        f.open(QIODevice::WriteOnly);
    }

    // An executable shell script lying in the directory.
    void script(const QString &name, const QByteArray &body) const
    {
        QFile f(file(name));
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n" + body);
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    }

private:
    QTemporaryDir m_dir;
};
