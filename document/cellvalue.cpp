#include "cellvalue.h"

namespace wykazki {

std::optional<ValueField> valueFieldOf(PhraseKind kind)
{
    switch (kind) {
    case PhraseKind::Text: return ValueField::Text;
    case PhraseKind::Grade: return ValueField::Grade;
    case PhraseKind::Picture: return ValueField::Picture;
    default: return std::nullopt;
    }
}

CellValue fieldValue(const TFra& record, ValueField field)
{
    switch (field) {
    case ValueField::Grade: return record.grade;
    case ValueField::Picture: return record.picture;
    case ValueField::Text: break;
    }
    return record.text;
}

void setFieldValue(TFra& record, ValueField field, CellValue value)
{
    if (field == ValueField::Grade) {
        if (const auto* grade = std::get_if<std::int8_t>(&value))
            record.grade = *grade;
    } else if (auto* text = std::get_if<std::string>(&value)) {
        (field == ValueField::Text ? record.text : record.picture) = std::move(*text);
    }
}

}  // namespace wykazki
