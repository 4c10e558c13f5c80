// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Golden transcripts: blocks "[name]" of inputs "$ INPUT", each followed by what the test
// prints for it. A test replays its block and compares it whole with the file. Blank and "#"
// lines stay; in inputs and printed lines \r, \n, \t, \0 and \xHH stand for those bytes.

#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace trov::test {

// The bytes lines show escaped, and the letters that stand for them.
inline constexpr std::string_view kBytes{"\r\n\t\0", 4}, kLetters = "rnt0";

inline std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size())
            out += text[i];
        else if (text[++i] == 'x')
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)), i += 2;
        else
            out +=
                kLetters.find(text[i]) == kLetters.npos ? text[i] : kBytes[kLetters.find(text[i])];
    }
    return out;
}

inline std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text)
        out += kBytes.find(c) == kBytes.npos ? std::string(1, c)
                                             : std::string("\\") + kLetters[kBytes.find(c)];
    return out;
}

// The words of an input; a blank inside <...> is part of its word.
inline std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    for (std::size_t at = line.find_first_not_of(' '); at != std::string::npos;
         at = line.find_first_not_of(' ', at)) {
        const std::size_t open = line.find('<', at), blank = line.find(' ', at);
        const std::size_t end =
            open < blank ? line.find('>', open) + 1 : std::min(blank, line.size());
        out.push_back(line.substr(at, end - at));
        at = end;
    }
    return out;
}

inline void expectTranscript(const std::string& file, const std::string& block,
                             const std::function<std::string(const std::string&)>& print) {
    std::ifstream in(std::string(TROV_SOURCE_DIR "/tests/") + file);
    std::string expected, got;
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("["))
            inside = line == "[" + block + "]";
        else if (inside)
            expected += line + "\n";
        if (inside && (line.empty() || line.starts_with("#")))
            got += line + "\n";
        else if (inside && line.starts_with("$ "))
            got += line + "\n" + print(unescaped(line.substr(2)));
    }
    ASSERT_FALSE(expected.empty()) << file << " [" << block << "]";
    EXPECT_EQ(got, expected);
}

} // namespace trov::test
