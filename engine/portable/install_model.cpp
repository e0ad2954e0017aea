#include "engine/portable/install_model.h"

#include "base/portable/characters.h"
#include "base/portable/text_helpers.h"

void GetInformationLine(const InstallModel& model, int index, char* buffer)
{
    buffer[0] = '\0';
    if (index >= 0 && static_cast<std::size_t>(index) < model.information.size())
        CopyText(buffer, model.information[index].c_str());
}

bool HoldsLine(const std::vector<std::string>& lines, const char* text)
{
    for (const std::string& line : lines) {
        if (EqualNoCase(line.c_str(), text))
            return true;
    }
    return false;
}
