#pragma once
// Starts the form runtime for a test and tears it down afterwards.
#include <gtest/gtest.h>

#include "forms/form_lifecycle.h"
#include "forms/runtime_startup.h"
#include "forms/runtime_state.h"

class RuntimeTest : public testing::Test {
protected:
    void SetUp() override
    {
        StartRuntime(GetModuleHandleA(nullptr), "Instal", "Instal.exe", "Projecte visual Kestrel", KindWindowForm);
    }
    void TearDown() override
    {
        // The main form's destruction posts a quit that belongs to no loop here.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        TearDownRuntime();
    }
};
