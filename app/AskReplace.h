#pragma once
// The replace question as the dialog shows it: the texts of its four lines
// from the worker's question, and its buttons as the worker's answers.

#include "ReplaceQuestion.h"

#include <windows.h>

#include <string>

struct ReplaceQuestionTexts {
    std::string name;     // the file's name
    std::string folder;   // the destination folder that holds it
    std::string existing; // the file there now: size and date
    std::string incoming; // the file being copied: size and date
};

ReplaceQuestionTexts DescribeReplaceQuestion(const replace_question& question);

// "1,234,567 bytes, modified 12/08/2026 20:31" in the user's own date and
// time formats; "size and date unknown" when the file could not be looked at.
std::string DescribeFile(const file_facts& facts);

// The answer a button of the question gives (DoModal's result); anything
// else (a question that could not be shown) keeps the file.
replace_answer AnswerOfButton(INT_PTR button);
