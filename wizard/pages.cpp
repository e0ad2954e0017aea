#include "wizard/pages.h"

#include "wizard/wizard_state.h"

void EnterNextPage()
{
    ++g_wizard.page;
}
