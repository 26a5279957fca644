#pragma once
// Fills the placeholders of a shown message ("%s", "%d") with given texts, left to right.
// Messages come from the dictionary, so they are never handed to printf: a translation with
// a wrong placeholder must not read past the arguments.

#include <initializer_list>
#include <string>

inline std::string FillPlaceholders(const std::string& text,
                                    std::initializer_list<std::string> values) {
    std::string out;
    out.reserve(text.size());
    auto next = values.begin();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == 's' || text[i + 1] == 'd')) {
            if (next != values.end()) out += *next++;
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}
