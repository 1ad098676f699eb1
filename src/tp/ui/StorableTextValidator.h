#pragma once

#include "tp/TPFieldText.h"

#include <QValidator>

// Refuses text, typed or pasted, that a field of its kind in the TP files
// cannot hold; numeric boxes take digits and spaces only, as their key
// filter does.
class StorableTextValidator : public QValidator {
public:
    StorableTextValidator(FieldKind kind, bool numeric, QObject *parent);
    State validate(QString &input, int &pos) const override;

private:
    FieldKind m_kind;
    bool m_numeric;
};
