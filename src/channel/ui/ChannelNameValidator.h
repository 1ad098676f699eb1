#pragma once

#include "channel/ChannelEditing.h"

#include <QValidator>

// The rename box takes only what the channel files can hold.
class ChannelNameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return ChannelEditing::isStorableName(input) ? Acceptable : Invalid;
    }
};
