#pragma once
// Lets a text box take only what a Tidy option's type allows (an integer: up
// to nine digits), so no value that Tidy would refuse reaches the grid.
#include "validation/TidyOptionModel.h"

#include <QValidator>

class TidyValueValidator : public QValidator {
public:
    TidyValueValidator(TidyValueType type, QObject *parent) : QValidator(parent), m_type(type) {}

    State validate(QString &input, int &) const override
    {
        if (TidyOptionModel::IsValidValue(m_type, input))
            return Acceptable;
        // An integer box may be emptied on the way to a new number.
        if (m_type == TidyValueType::tpInteger && input.isEmpty())
            return Intermediate;
        return Invalid;
    }

private:
    TidyValueType m_type;
};
