#pragma once
// Answers in one line, for tests to compare with what they expect.
#include <string>

#include "wizard/portable/answers.h"

// "destination|name|organization|group or "no group"|associations as 1 and 0[ desktop]|toolset".
inline std::string Described(const InstallChoices& c)
{
    std::string text = std::string(c.destination) + "|" + c.userName + "|" + c.organization + "|" +
                       (c.programGroup ? c.groupName : "no group") + "|";
    for (bool on : c.associations)
        text += on ? "1" : "0";
    return text + (c.desktopShortcut ? " desktop|" : "|") + (c.basalt ? "Basalt" : "MASM32");
}

// "name[value] " when given.
inline std::string Field(const char* name, const std::optional<std::string>& value)
{
    return value ? std::string(name) + "[" + *value + "] " : "";
}

inline std::string Described(const Answers& answers)
{
    std::string text;
    for (int key = 0; key < kAnswerKeyCount; ++key)
        text += Field(AnswerKeyName(AnswerKey(key)), answers[key]);
    return text;
}
