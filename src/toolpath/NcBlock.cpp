// Splitting a line of NC text into words, comments and framing.
#include "toolpath/NcBlock.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

// Reads a signed decimal number at text[i] (no blanks left in text); false when there is none.
bool ReadNumber(const std::string& text, size_t& i, double& value, std::string& written) {
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    bool digits = false;
    while (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.')) {
        digits = digits || text[i] != '.';
        ++i;
    }
    if (!digits) {
        i = start;
        return false;
    }
    written = text.substr(start, i - start);
    value = std::strtod(written.c_str(), nullptr);
    return true;
}

// Takes the comments out of line and returns the rest without blanks.
std::string StripComments(const std::string& line, CNcBlock& block) {
    std::string rest;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ';') {
            block.comments.push_back(line.substr(i + 1));
            break;
        }
        if (c == '(') {
            const size_t close = line.find(')', i + 1);
            if (close == std::string::npos) {
                block.faults.push_back("comment without \")\"");
                block.comments.push_back(line.substr(i + 1));
                break;
            }
            block.comments.push_back(line.substr(i + 1, close - i - 1));
            i = close;
            continue;
        }
        if (!std::isspace(static_cast<unsigned char>(c))) {
            rest += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return rest;
}

// "O100 SUB" (blanks gone): the O word's name and the keyword after it; false when the O word
// is a program number.
bool SplitControl(const std::string& text, CNcBlock& block) {
    size_t i = 1;
    if (i < text.size() && text[i] == '<') {
        const size_t close = text.find('>', i);
        if (close == std::string::npos) {
            return false;
        }
        i = close + 1;
    } else {
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
    }
    size_t end = i;
    while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end]))) {
        ++end;
    }
    static const char* const kKeywords[] = {"SUB",   "ENDSUB",   "CALL", "RETURN", "IF",     "ELSEIF",
                                            "ELSE",  "ENDIF",    "DO",   "WHILE",  "ENDWHILE", "BREAK",
                                            "CONTINUE", "REPEAT", "ENDREPEAT"};
    const std::string word = text.substr(i, end - i);
    for (const char* keyword : kKeywords) {
        if (word == keyword) {
            block.strControlName = text.substr(0, i);
            block.strControl = word;
            return true;
        }
    }
    return false;
}

}  // namespace

CNcBlock CNcBlock::Parse(const std::string& line) {
    CNcBlock block;
    std::string text = StripComments(line, block);
    if (!text.empty() && text[0] == '/') {
        block.bBlockDelete = true;
        text.erase(0, 1);
    }
    if (text == "%") {
        block.bPercent = true;
        return block;
    }
    // A line number may stand before the O word of a control line ("N80 O1003 SUB").
    size_t numbered = 0;
    if (!text.empty() && text[0] == 'N') {
        numbered = 1;
        while (numbered < text.size() && (std::isdigit(static_cast<unsigned char>(text[numbered])) ||
                                          text[numbered] == '.')) {
            ++numbered;
        }
        numbered = numbered > 1 ? numbered : 0;
    }
    if (numbered < text.size() && text[numbered] == 'O') {
        const std::string control = text.substr(numbered);
        if (SplitControl(control, block)) {
            block.strBlock = text.substr(0, numbered);
            return block;
        }
    }
    if (text.find_first_of("#[") != std::string::npos) {
        block.bExpression = true;
        return block;
    }
    for (size_t i = 0; i < text.size();) {
        const char letter = text[i];
        if (!std::isalpha(static_cast<unsigned char>(letter))) {
            block.faults.push_back(std::string("unexpected \"") + letter + "\"");
            ++i;
            continue;
        }
        ++i;
        CNcWord word;
        word.cLetter = letter;
        std::string number;
        if (!ReadNumber(text, i, word.dValue, number)) {
            block.faults.push_back(std::string("word ") + letter + " without a number");
            continue;
        }
        // Beyond a kilometre in any unit no NC word means a length; such a number only spoils
        // the arithmetic behind it.
        if (!std::isfinite(word.dValue) || std::fabs(word.dValue) > 1e6) {
            block.faults.push_back(std::string("number out of range in word ") + letter);
            continue;
        }
        word.strText = letter + number;
        if (letter == 'N' && block.strBlock.empty() && block.words.empty()) {
            block.strBlock = word.strText;
            continue;
        }
        block.words.push_back(word);
    }
    return block;
}

const CNcWord* CNcBlock::Find(char letter) const {
    for (const CNcWord& w : words) {
        if (w.cLetter == letter) {
            return &w;
        }
    }
    return nullptr;
}
