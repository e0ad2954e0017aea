#pragma once
// The user's answers in one line, for tests to compare with what they expect:
// "destination|name|organization|group or "no group"|associations as 1 and 0[ desktop]|toolset".
#include <string>

#include "engine/portable/install_choices.h"

inline std::string Described(const InstallChoices& c)
{
    std::string text = std::string(c.destination) + "|" + c.userName + "|" + c.organization + "|" +
                       (c.programGroup ? c.groupName : "no group") + "|";
    for (bool on : c.associations)
        text += on ? "1" : "0";
    return text + (c.desktopShortcut ? " desktop|" : "|") + (c.basalt ? "Basalt" : "MASM32");
}
