#include "engine/TextFormat.h"

std::string FormatMessage(std::string_view format, std::string_view first,
                          std::string_view second, std::string_view third)
{
    const std::string_view arguments[] = {first, second, third};
    std::string text;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] >= '1' &&
            format[i + 1] <= '3') {
            text += arguments[format[i + 1] - '1'];
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}
