#include "wizard/portable/page_flow.h"

#include "engine/portable/list_file.h"

bool SkipsOptionsPage(int optionsContent, int setupKind)
{
    return optionsContent == 0 || setupKind == SetupKindWithoutOptions;
}

unsigned NextPageNumber(unsigned page, int optionsContent, int setupKind)
{
    unsigned next = page + 1;
    if (next == PageOptions && SkipsOptionsPage(optionsContent, setupKind))
        next = PageSummary;
    return next;
}

unsigned PreviousPageNumber(unsigned page, int optionsContent, int setupKind)
{
    unsigned previous = page - 1;
    if (previous == PageOptions && SkipsOptionsPage(optionsContent, setupKind))
        previous = PageProgramGroup;
    return previous;
}
