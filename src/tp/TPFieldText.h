#pragma once

#include <QByteArray>
#include <QString>

// Checks shared by the file writers and the image layout: what a field may
// hold so that the file reader gives it back unchanged.
enum class FieldKind {
    Satellite,   // a "|"-separated field of "PreDefine.dll"
    Transponder, // a ","-separated value of a region file
};

// Why `text` cannot stand in a field of this kind, or an empty text when it can.
QString unstorableReason(const QString &text, FieldKind kind);

// Appends `text`, which unstorableReason accepted, one byte a character.
void appendLatin1(QByteArray &out, const QString &text);
