#pragma once
// The wizard as the registration steps see it: a stand-in main form and an
// install model.
#include <windows.h>

#include <initializer_list>
#include <string>

#include "engine/install_job.h"
#include "test_environment.h"

class RegistrationFixture {
public:
    RegistrationFixture();
    ~RegistrationFixture();
    RegistrationFixture(const RegistrationFixture&) = delete;
    RegistrationFixture& operator=(const RegistrationFixture&) = delete;

    // Information lines 0 to 10 of a product called Kestrel, key Kestrel.
    void SetInformation(std::initializer_list<const char*> lines);
    // The job as Install hands it down, from the stand-in form as it is now.
    static InstallJob& Job();
};

std::string ReadValue(HKEY root, const char* key, const char* name);
bool HasValue(HKEY root, const char* key, const char* name);
