#include "graph/items/cp949_text.h"

#include "core/cp949_codec.h"
#include "core/utf8_code_points.h"

namespace lumetra::graph {

std::optional<std::string> cp949Text(std::string_view utf8)
{
    std::string text(utf8);
    for (;;) {
        core::TextConversion converted = core::utf8ToCp949(text);
        if (converted.ok())
            return std::move(converted.text);
        if (converted.error == core::TextConversionError::ConverterUnavailable)
            return std::nullopt;
        const std::optional<core::Utf8CodePoint> bad = core::decodeUtf8At(text, converted.errorOffset);
        text.replace(converted.errorOffset, bad ? bad->length : 1, 1, '?');
    }
}

} // namespace lumetra::graph
