#pragma once

#include "tp/TPFieldText.h"

#include <QValidator>

// Refuses text that the TP files cannot hold (a "|" or "," as the field
// kind says, a line end, a character beyond ISO-8859-1), typed or pasted;
// numeric boxes take digits and spaces only, as their key filter does.
class StorableTextValidator : public QValidator {
public:
    StorableTextValidator(FieldKind kind, bool numeric, QObject *parent);
    State validate(QString &input, int &pos) const override;

private:
    FieldKind m_kind;
    bool m_numeric;
};
