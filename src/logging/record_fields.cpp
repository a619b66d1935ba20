#include "logging/record_fields.h"

#include "platform/tag_reader.h"

namespace tamsel {
namespace {

struct Tags {
  std::string_view open;
  std::string_view close;
};

Tags tagsOf(RecordField field) {
  switch (field) {
    case RecordField::Time:
      return {"<T>", "</T>"};
    case RecordField::Volts:
      return {"<V>", "</V>"};
    case RecordField::Amps:
      return {"<I>", "</I>"};
    case RecordField::Watts:
      return {"<W>", "</W>"};
    case RecordField::Rpm:
      return {"<R>", "</R>"};
    case RecordField::WindSpeed:
      return {"<S>", "</S>"};
  }
  return {};
}

}  // namespace

std::optional<std::string_view> recordField(std::string_view line, RecordField field) {
  const Tags tags = tagsOf(field);
  // Both tags must be there: the shared tag rule alone would read a value
  // from a line that holds only the closing tag.
  if (line.find(tags.open) == std::string_view::npos) return std::nullopt;
  return textBetweenTags(line, tags.open, tags.close);
}

}  // namespace tamsel
