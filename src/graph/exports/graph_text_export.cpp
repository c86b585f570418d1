#include "graph/exports/graph_text_export.h"

#include "graph/items/cp949_text.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>

namespace lumetra::graph {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kValueField = 12;
constexpr int kValueDecimals = 6;

void appendLine(std::string& text, std::string_view line)
{
    text += line;
    text += kLineEnd;
}

std::string hyphenLine()
{
    return std::string(74, '-');
}

} // namespace

std::string graphTextPointLine(std::size_t position, double value)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04zu", position);
    std::string line(digits);
    line += "    ";
    // Fixed notation with a full stop, whatever the C locale.
    char number[400];
    const std::to_chars_result written
        = std::to_chars(number, number + sizeof number, value, std::chars_format::fixed, kValueDecimals);
    const std::string_view valueText(number, static_cast<std::size_t>(written.ptr - number));
    line += valueText;
    if (valueText.size() < kValueField)
        line.append(kValueField - valueText.size(), ' ');
    return line;
}

std::string graphTextDocument(const GraphExportSource& source, const ExportTime& time)
{
    std::string text;
    const std::string hyphens = hyphenLine();
    appendLine(text, hyphens);
    appendLine(text, "프로그램명     : Vestral Lumetra Ver2.2 ");
    appendLine(text, "회사명         : Korimat ");
    char stamp[128];
    std::snprintf(stamp, sizeof stamp, "파일 생성 시간 : %d년 %d월 %d일, %d시 %d분 %d초", time.year, time.month,
        time.day, time.hour, time.minute, time.second);
    appendLine(text, stamp);
    appendLine(text, hyphens);

    for (std::size_t c = 0; c < source.channels.size(); ++c) {
        appendLine(text, hyphens);
        text += "Symbol Name : ";
        appendLine(text, source.channels[c].label);
        appendLine(text, hyphens);
        const std::vector<double> values = exportedPoints(source, c);
        for (std::size_t n = 0; n < values.size(); ++n)
            appendLine(text, graphTextPointLine(n, values[n]));
    }
    return text;
}

ExportResult writeGraphText(const std::filesystem::path& path, const GraphExportSource& source, const ExportTime& time)
{
    const std::optional<std::string> bytes = cp949Text(graphTextDocument(source, time));
    if (!bytes)
        return {ExportFailure::NoConverter, {}};
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
    return exportResultOf(core::writeFileAtomically(path, std::span(data, bytes->size())));
}

} // namespace lumetra::graph
