// CNcBlock: one line of NC text split into its words, comments and framing.
#pragma once

#include <string>
#include <vector>

struct CNcWord {
    char cLetter = 0;  // upper case
    double dValue = 0.0;
    std::string strText;  // letter and number as written, blanks removed, upper case
};

struct CNcBlock {
    std::vector<CNcWord> words;
    std::vector<std::string> comments;
    std::vector<std::string> faults;  // what could not be split into words
    std::string strBlock;             // "N150" when the line has a block number
    bool bPercent = false;            // a "%" framing line
    bool bBlockDelete = false;        // starts with "/"
    // Parameters or expressions ("#", "[") make the block one the reader does not follow; its
    // words are not split.
    bool bExpression = false;
    // An O word with a keyword ("O100 SUB", "O<LOOP> WHILE [...]"): the keyword and the name
    // ("O100", "O<LOOP>"); empty for a program number.
    std::string strControl;
    std::string strControlName;

    // Splits a line: blanks are ignored outside comments, comments run in parentheses or from
    // ";" to the end, letters are case-insensitive.
    static CNcBlock Parse(const std::string& line);
    // The first word with that letter, or null.
    const CNcWord* Find(char letter) const;
};
