// Entry point of the Windows test programs: the common controls are set up
// as the wizard sets them up, then every test runs.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "wizard/wizard_state.h"

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0x1FFF};
    InitCommonControlsEx(&controls);
    ResetWizardState();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
