#include "registration_fixture.h"

#include "stand_in_main_window.h"
#include "wizard/controls.h"
#include "wizard/install_driver.h"
#include "wizard/wizard_state.h"

RegistrationFixture::RegistrationFixture()
{
    ResetWizardState();
    ShowWindow(CreateStandInMainWindow(), SW_SHOW);
    SetInformation({"Kestrel", "2.0", "Kestrel", "0", "", "Welcome", "Catala", "Kestrel", "<AppDir>\\Kestrel.exe",
                    "Gracies", "Kestrel 2.0"});
}

RegistrationFixture::~RegistrationFixture()
{
    DestroyStandInMainWindow();
}

void RegistrationFixture::SetInformation(std::initializer_list<const char*> lines)
{
    g_wizard.model.information.assign(lines.begin(), lines.end());
}

std::string ReadValue(HKEY root, const char* key, const char* name)
{
    char value[1024] = "";
    DWORD size = sizeof value;
    if (RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

bool HasValue(HKEY root, const char* key, const char* name)
{
    return RegGetValueA(root, key, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

InstallJob& RegistrationFixture::Job()
{
    FillInstallJob(g_wizard.job);
    return g_wizard.job;
}
