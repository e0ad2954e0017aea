#include "engine/install_model.h"

void GetInformationLine(const InstallModel& model, int index, char* buffer)
{
    buffer[0] = '\0';
    if (model.information != nullptr)
        StringListGet(model.information, index, buffer);
}
