// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/translatable.h"

#include <algorithm>

namespace trov {

namespace {

bool isPlaceholder(std::string_view format, std::size_t i) {
    return format[i] == '%' && i + 1 < format.size() && format[i + 1] >= '1' &&
           format[i + 1] <= '9';
}

// The format cut at its placeholders: the literal pieces and the numbers between them.
struct Pieces {
    std::vector<std::string_view> literals; // one more than numbers
    std::vector<int> numbers;
};

Pieces split(std::string_view format) {
    Pieces p;
    std::size_t start = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        if (!isPlaceholder(format, i))
            continue;
        p.literals.push_back(format.substr(start, i - start));
        p.numbers.push_back(format[i + 1] - '1');
        start = i + 2;
        ++i;
    }
    p.literals.push_back(format.substr(start));
    return p;
}

} // namespace

std::string formatText(std::string_view format, std::initializer_list<std::string_view> args) {
    return formatText(format, std::vector<std::string>(args.begin(), args.end()));
}

std::string formatText(std::string_view format, const std::vector<std::string>& given) {
    std::string out;
    out.reserve(format.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%') {
            out += "%%";
            ++i;
        } else if (isPlaceholder(format, i) &&
                   static_cast<std::size_t>(format[i + 1] - '1') < given.size()) {
            out += given[static_cast<std::size_t>(format[i + 1] - '1')];
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::optional<std::vector<std::string>> matchFormat(std::string_view text,
                                                    std::string_view format) {
    const Pieces p = split(format);
    const std::string_view first = p.literals.front(), last = p.literals.back();
    if (p.numbers.empty())
        return text == format ? std::optional(std::vector<std::string>{}) : std::nullopt;
    if (text.size() < first.size() + last.size() || !text.starts_with(first) ||
        !text.ends_with(last))
        return std::nullopt;
    std::vector<std::string> args(9);
    std::size_t at = first.size();
    const std::size_t end = text.size() - last.size();
    for (std::size_t k = 0; k < p.numbers.size(); ++k) {
        std::size_t next = end;
        if (k + 1 < p.numbers.size()) {
            const std::string_view literal = p.literals[k + 1];
            if (literal.empty())
                return std::nullopt; // two placeholders side by side cannot be told apart
            next = text.find(literal, at);
            if (next == std::string_view::npos || next > end)
                return std::nullopt;
        }
        args[static_cast<std::size_t>(p.numbers[k])] = std::string(text.substr(at, next - at));
        at = next + (k + 1 < p.numbers.size() ? p.literals[k + 1].size() : 0);
    }
    int highest = 0;
    for (int n : p.numbers)
        highest = std::max(highest, n + 1);
    args.resize(static_cast<std::size_t>(highest));
    return args;
}

} // namespace trov
