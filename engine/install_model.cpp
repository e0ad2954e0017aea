#include "engine/install_model.h"

#include "wizard/wizard_state.h"

void GetInformationLine(int index, char* buffer)
{
    buffer[0] = '\0';
    if (g_wizard.model.information != nullptr)
        StringListGet(g_wizard.model.information, index, buffer);
}
