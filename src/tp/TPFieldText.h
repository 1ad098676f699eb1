#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What a field of the TP files may hold, so that the file reader gives it
// back unchanged; shared by the file writers, the image layout and the
// editor's entry boxes.
enum class FieldKind {
    Satellite,    // a "|"-separated field of "PreDefine.dll"
    Transponder,  // a ","-separated value of a region file
};

// Why `text` cannot stand in a field of this kind, or an empty text when it can.
QString unstorableReason(const QString &text, FieldKind kind);

// Appends `text`, which unstorableReason accepted, one byte a character.
void appendLatin1(QByteArray &out, const QString &text);

// The value of a count or index field: decimal digits only. Values too large
// for any table come back as a large number rather than wrapping.
std::optional<int> decimalValue(const QString &text);
