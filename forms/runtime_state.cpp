#include "forms/runtime_state.h"

RuntimeState g_runtime = {};

const char* CommandArgs()
{
    return g_runtime.startup->CommandArgs;
}

const char* StartDirectory()
{
    return g_runtime.startup->StartDirectory;
}

const char* ExeName()
{
    return g_runtime.startup->ExeName;
}

const char* ProjectTitle()
{
    return g_runtime.startup->ProjectTitle;
}
