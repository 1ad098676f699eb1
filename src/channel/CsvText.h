#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated text as RFC 4180 lays it out, in UTF-8: a field is quoted
// when it holds a comma, a quote, a line break or leading or trailing spaces
// (which spreadsheets would trim), and a quote inside is doubled.
QString csvField(const QString &text);
// One record with its CR LF.
QString csvRecord(const QStringList &fields);

// One record as read, with the line it starts on (1-based) and, when it is
// malformed, why.
struct CsvRow {
    int line = 0;
    QStringList fields;
    QString error;
};

// Reads every record; a malformed one is kept with its error and reading goes
// on at the next line. Lines may end in CR LF or LF alone; a UTF-8 byte order
// mark and empty lines are skipped.
QList<CsvRow> readCsv(const QByteArray &text);
