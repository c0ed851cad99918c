#include "TagFields.h"

#include "FieldTable.h"

bool TagFields::operator==(const TagFields& other) const {
    for (const FieldTable::Row& row : FieldTable::kRows)
        if (row.text != nullptr && this->*row.text != other.*row.text)
            return false;
    return true;
}
